// Workspace state: what SaveState writes to the profile, what LoadState restores, the
// frame saving every pane when it closes, and the library pane's first-time hidden state.

#include "FrameTestSupport.h"

namespace ft {
namespace {

using PaneStateTest = FrameTest;

TEST_F(PaneStateTest, SaveStateWritesIsVisibleInTheWorkspaceSectionOfThePane) {
    CFrameWnd* frame = MakeFrame();
    TestPane shown, hidden;
    ASSERT_TRUE(DockNewPane(frame, shown, 1001, CBRS_RIGHT));
    ASSERT_TRUE(DockNewPane(frame, hidden, 1002, CBRS_RIGHT));
    hidden.ShowPane(FALSE, FALSE, FALSE);

    frame->SaveState();
    EXPECT_EQ(ProfileInt("Workspace\\BasePane-1001", "IsVisible"), 1);
    EXPECT_EQ(ProfileInt("Workspace\\BasePane-1002", "IsVisible"), 0);

    // Another profile name, index and id name another section.
    EXPECT_STREQ(shown.GetStateSection("Layouts\\Night", 7, 0x2A), "Layouts\\Night\\BasePane-72a");
    EXPECT_TRUE(shown.SaveState("Layouts\\Night", 7));
    EXPECT_EQ(ProfileInt("Layouts\\Night\\BasePane-7", "IsVisible"), 1);
}

TEST_F(PaneStateTest, LoadStateRestoresWhatWasSavedAndLeavesUnsavedPanesAlone) {
    CFrameWnd* frame = MakeFrame();
    TestPane saved, unsaved;
    ASSERT_TRUE(DockNewPane(frame, saved, 1001, CBRS_LEFT));
    ASSERT_TRUE(DockNewPane(frame, unsaved, 1002, CBRS_LEFT));
    ASSERT_TRUE(app().WriteProfileInt("Workspace\\BasePane-1001", "IsVisible", 0));

    EXPECT_TRUE(saved.LoadState());
    EXPECT_FALSE(saved.IsVisible());
    EXPECT_FALSE(unsaved.LoadState());
    EXPECT_TRUE(unsaved.IsVisible());

    ASSERT_TRUE(app().WriteProfileInt("Workspace\\BasePane-1001", "IsVisible", 1));
    ASSERT_TRUE(app().WriteProfileInt("Workspace\\BasePane-1002", "IsVisible", 0));
    frame->LoadState();  // and lays the frame out at once
    EXPECT_TRUE(saved.IsVisible());
    EXPECT_FALSE(unsaved.IsVisible());
    EXPECT_EQ(RectInParent(saved).bottom, ClientOf(*frame).bottom);

    TestPane never;  // no window: nothing to save or restore
    EXPECT_FALSE(never.SaveState());
    EXPECT_FALSE(never.LoadState());
}

TEST_F(PaneStateTest, ClosingTheMainFrameSavesItsPanesAndEndsTheLoop) {
    CFrameWnd* frame = MakeFrame();
    app().m_pMainWnd = frame;
    TestPane pane;
    ASSERT_TRUE(DockNewPane(frame, pane, 1003, CBRS_BOTTOM));
    pane.ShowPane(FALSE, FALSE, FALSE);

    frame->PostMessage(WM_CLOSE);
    plat::PumpMessages();
    EXPECT_EQ(ProfileInt("Workspace\\BasePane-1003", "IsVisible"), 0);
    EXPECT_EQ(pane.GetSafeHwnd(), nullptr);
    EXPECT_EQ(app().m_pMainWnd, nullptr);
    int exitCode = -1;
    EXPECT_TRUE(plat::IsQuitPending(&exitCode));
    EXPECT_EQ(exitCode, 0);
}

// The library's pane base, with its members in view.
class ProbePane : public CMyDockablePane {
public:
    CWnd* Parent() const { return m_pParent; }
    UINT Id() const { return m_nID; }
    const CString& Title() const { return m_strTitle; }
};

TEST_F(PaneStateTest, TheLibraryPaneIsCreatedWithItsFixedStyles) {
    CFrameWnd* frame = MakeFrame();
    ASSERT_TRUE(app().WriteProfileInt("Workspace\\BasePane-2001", "IsVisible", 1));
    ProbePane pane;
    EXPECT_EQ(pane.Parent(), nullptr);
    EXPECT_EQ(pane.Id(), 0u);
    EXPECT_TRUE(pane.Title().IsEmpty());

    ASSERT_TRUE(pane.Create(frame, 2001, "Clock"));
    EXPECT_EQ(pane.Parent(), frame);
    EXPECT_EQ(pane.Id(), 2001u);
    EXPECT_STREQ(pane.Title(), "Clock");
    EXPECT_EQ(pane.GetStyle(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    EXPECT_EQ(pane.GetPaneStyle(), CBRS_RIGHT | CBRS_FLOAT_MULTI);
    EXPECT_EQ(pane.GetTabbedStyle(), AFX_CBRS_REGULAR_TABS);
    EXPECT_EQ(pane.GetControlBarStyle(),
              AFX_CBRS_FLOAT | AFX_CBRS_CLOSE | AFX_CBRS_RESIZE | AFX_CBRS_AUTOHIDE);
    EXPECT_TRUE(pane.HasGripper());
    EXPECT_EQ(pane.GetDlgCtrlID(), 2001);
    EXPECT_EQ(RectInParent(pane), CRect(0, 0, 200, 200));
    CString caption;
    pane.GetWindowText(caption);
    EXPECT_STREQ(caption, "Clock");

    // It docks at the right, where its style says.
    pane.EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(frame->DockPane(&pane));
    EXPECT_EQ(RectInParent(pane).right, ClientOf(*frame).right);
}

TEST_F(PaneStateTest, ALibraryPaneStartsHiddenUntilItsStateWasSaved) {
    CFrameWnd* frame = MakeFrame();
    auto pane = std::make_unique<ProbePane>();
    ASSERT_TRUE(pane->Create(frame, 2002, "Meter"));
    EXPECT_FALSE(pane->IsVisible());  // no "IsVisible" value: a first creation
    EXPECT_NE(pane->GetSafeHwnd(), nullptr);

    pane->ShowPane(TRUE, FALSE, FALSE);
    frame->SaveState();
    frame->DestroyWindow();

    frame = MakeFrame();
    pane = std::make_unique<ProbePane>();
    ASSERT_TRUE(pane->Create(frame, 2002, "Meter"));
    EXPECT_TRUE(pane->IsVisible());

    // A saved hidden state is not the first creation: the pane is made visible and the
    // frame's LoadState hides it.
    pane->ShowPane(FALSE, FALSE, FALSE);
    frame->SaveState();
    frame->DestroyWindow();
    frame = MakeFrame();
    pane = std::make_unique<ProbePane>();
    ASSERT_TRUE(pane->Create(frame, 2002, "Meter"));
    EXPECT_TRUE(pane->IsVisible());
    frame->LoadState();
    EXPECT_FALSE(pane->IsVisible());

    // Another pane of the same program has its own state.
    ProbePane other;
    ASSERT_TRUE(other.Create(frame, 2003, "Meter"));
    EXPECT_FALSE(other.IsVisible());
}

TEST_F(PaneStateTest, ALibraryPaneWithoutAParentIsNotCreated) {
    ProbePane pane;
    EXPECT_FALSE(pane.Create(nullptr, 2004, nullptr));
    EXPECT_EQ(pane.GetSafeHwnd(), nullptr);
    EXPECT_EQ(pane.Id(), 2004u);  // stored before the creation was tried
    EXPECT_TRUE(pane.Title().IsEmpty());
    EXPECT_EQ(ProfileInt("Workspace\\BasePane-2004", "IsVisible"), -1);
}

}  // namespace
}  // namespace ft
