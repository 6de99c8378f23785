// The window tree: creation and its messages, failed creation, destruction order,
// self-deleting windows, parents, owners, z-order, ids, text, fonts and styles.

#include "WindowTestSupport.h"
#include "platform/window/CView.h"

namespace wt {
namespace {

using TreeTest = WindowTest;

std::size_t IndexOf(const std::vector<UINT>& messages, UINT message) {
    return static_cast<std::size_t>(std::find(messages.begin(), messages.end(), message) -
                                    messages.begin());
}

TEST_F(TreeTest, CreationSendsItsMessagesInTheWindowingSystemsOrder) {
    LogWnd parent("parent");
    ASSERT_TRUE(MakePopup(parent, CRect(0, 0, 100, 100)));
    LogWnd child("child");
    ASSERT_TRUE(child.Create(nullptr, "text", WS_VISIBLE, CRect(5, 6, 25, 36), &parent, 7));

    const std::vector<UINT> seen = child.Messages();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), static_cast<UINT>(WM_NCCREATE));
    for (UINT message : {WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW}) {
        EXPECT_LT(IndexOf(seen, message), seen.size()) << std::hex << message;
    }
    EXPECT_LT(IndexOf(seen, WM_NCCREATE), IndexOf(seen, WM_NCCALCSIZE));
    EXPECT_LT(IndexOf(seen, WM_NCCALCSIZE), IndexOf(seen, WM_CREATE));
    EXPECT_LT(IndexOf(seen, WM_CREATE), IndexOf(seen, WM_SIZE));
    EXPECT_LT(IndexOf(seen, WM_SIZE), IndexOf(seen, WM_MOVE));
    EXPECT_LT(IndexOf(seen, WM_MOVE), IndexOf(seen, WM_SHOWWINDOW));

    EXPECT_EQ(child.Last(WM_SIZE)->lParam, MAKELPARAM(20, 30));
    EXPECT_EQ(child.Last(WM_MOVE)->lParam, MAKELPARAM(5, 6));
    EXPECT_TRUE(child.GetStyle() & WS_CHILD);  // Create makes a child window
    EXPECT_EQ(child.GetDlgCtrlID(), 7);
    CString text;
    child.GetWindowText(text);
    EXPECT_EQ(text, "text");  // set by WM_NCCREATE
}

TEST_F(TreeTest, OnCreateAnsweringMinusOneFailsAndDestroysTheWindow) {
    struct Refusing : LogWnd {
        using LogWnd::LogWnd;
        int OnCreate(LPCREATESTRUCT) override { return -1; }
    };
    LogWnd parent("parent");
    ASSERT_TRUE(MakePopup(parent, CRect(0, 0, 100, 100)));
    Refusing child("child");
    EXPECT_FALSE(MakeChild(child, parent, CRect(0, 0, 10, 10)));
    EXPECT_EQ(child.m_hWnd, nullptr);
    EXPECT_EQ(child.Count(WM_DESTROY), 1);
    EXPECT_EQ(child.Count(WM_NCDESTROY), 1);
    EXPECT_EQ(child.Count(WM_SIZE), 0);
    EXPECT_EQ(parent.GetWindow(GW_CHILD), nullptr);
    // The object can try again.
    struct Accepting : LogWnd {};
    Accepting second;
    EXPECT_TRUE(MakeChild(second, parent, CRect(0, 0, 10, 10)));
}

TEST_F(TreeTest, RefusedWmNcCreateFailsTheCreation) {
    LogWnd wnd;
    wnd.hook = [](UINT message, WPARAM, LPARAM, LRESULT& result) {
        result = 0;
        return message == WM_NCCREATE;
    };
    EXPECT_FALSE(MakePopup(wnd, CRect(0, 0, 10, 10)));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(wnd.Count(WM_CREATE), 0);
}

TEST_F(TreeTest, CreationFailsForAnUnknownClassAMissingParentOrASecondWindow) {
    LogWnd wnd;
    SetLastError(0);
    EXPECT_FALSE(wnd.CreateEx(0, "NoSuchClass", "", WS_POPUP, CRect(0, 0, 5, 5), nullptr, 0));
    EXPECT_EQ(GetLastError(), 1407u);
    EXPECT_TRUE(wnd.log.empty());  // no message reached it

    EXPECT_FALSE(wnd.CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 5, 5), nullptr, 1));
    HWND stale = nullptr;
    {
        LogWnd gone;
        ASSERT_TRUE(MakePopup(gone, CRect(0, 0, 5, 5)));
        stale = gone.m_hWnd;
    }
    EXPECT_FALSE(wnd.CreateEx(0, nullptr, "", WS_CHILD, 0, 0, 5, 5, stale, nullptr));

    ASSERT_TRUE(MakePopup(wnd, CRect(0, 0, 5, 5)));
    const HWND first = wnd.m_hWnd;
    EXPECT_FALSE(MakePopup(wnd, CRect(0, 0, 5, 5)));
    EXPECT_EQ(wnd.m_hWnd, first);
}

TEST_F(TreeTest, ClassNamesAreFoundWithoutRegardToCaseAndRegisteredOnce) {
    WNDCLASS cls{};
    cls.style = CS_DBLCLKS;
    cls.lpszClassName = "SurveyTestClass";
    EXPECT_NE(RegisterClassA(&cls), 0);
    EXPECT_EQ(RegisterClassA(&cls), 0);   // taken
    EXPECT_TRUE(AfxRegisterClass(&cls));  // the framework accepts an existing class
    WNDCLASS found{};
    ASSERT_TRUE(GetClassInfoA(nullptr, "surveytestclass", &found));
    EXPECT_EQ(found.style, static_cast<UINT>(CS_DBLCLKS));

    LogWnd wnd;
    EXPECT_TRUE(wnd.CreateEx(0, "SURVEYTESTCLASS", "", WS_POPUP, CRect(0, 0, 5, 5), nullptr, 0));

    const LPCTSTR a = AfxRegisterWndClass(CS_DBLCLKS, nullptr, GetSysColorBrush(COLOR_3DFACE));
    const LPCTSTR b = AfxRegisterWndClass(CS_DBLCLKS, nullptr, GetSysColorBrush(COLOR_3DFACE));
    const LPCTSTR c = AfxRegisterWndClass(CS_DBLCLKS);
    EXPECT_STREQ(a, b);
    EXPECT_STRNE(a, c);
    EXPECT_EQ(std::string(a).rfind("Afx:", 0), 0u);
}

// WM_DESTROY reaches a window before its children, WM_NCDESTROY after them.
TEST_F(TreeTest, DestructionTellsParentsFirstAndFinishesChildrenFirst) {
    LogWnd parent("parent");
    LogWnd first("first");
    LogWnd second("second");
    LogWnd grandchild("grandchild");
    ASSERT_TRUE(MakePopup(parent, CRect(0, 0, 100, 100)));
    ASSERT_TRUE(MakeChild(first, parent, CRect(0, 0, 50, 50), 1));
    ASSERT_TRUE(MakeChild(second, parent, CRect(50, 0, 100, 50), 2));
    ASSERT_TRUE(MakeChild(grandchild, first, CRect(0, 0, 10, 10), 3));
    Journal().clear();

    EXPECT_TRUE(parent.DestroyWindow());
    // Children are listed topmost first: the later-made second comes before first.
    EXPECT_EQ(
        JournalOf({WM_DESTROY}),
        std::vector<std::string>({Entry("parent", WM_DESTROY), Entry("second", WM_DESTROY),
                                  Entry("first", WM_DESTROY), Entry("grandchild", WM_DESTROY)}));
    EXPECT_EQ(
        JournalOf({WM_NCDESTROY}),
        std::vector<std::string>({Entry("second", WM_NCDESTROY), Entry("grandchild", WM_NCDESTROY),
                                  Entry("first", WM_NCDESTROY), Entry("parent", WM_NCDESTROY)}));
    for (const CWnd* w : {&parent, &first, &second, &grandchild}) {
        EXPECT_EQ(w->m_hWnd, nullptr);
    }
    EXPECT_FALSE(parent.DestroyWindow());  // nothing left to destroy
}

TEST_F(TreeTest, DestroyingAnOwnerDestroysItsOwnedWindowsFirst) {
    LogWnd owner("owner");
    LogWnd owned("owned");
    ASSERT_TRUE(MakePopup(owner, CRect(0, 0, 100, 100)));
    ASSERT_TRUE(owned.CreateEx(0, nullptr, "", WS_POPUP, CRect(0, 0, 10, 10), &owner, 0));
    EXPECT_EQ(owned.GetWindow(GW_OWNER), &owner);
    EXPECT_EQ(owned.GetParent(), &owner);  // a pop-up's parent is its owner
    Journal().clear();
    owner.DestroyWindow();
    EXPECT_EQ(JournalOf({WM_DESTROY}),
              std::vector<std::string>({Entry("owned", WM_DESTROY), Entry("owner", WM_DESTROY)}));
    EXPECT_EQ(owned.m_hWnd, nullptr);
}

class Tracked : public LogWnd {
public:
    explicit Tracked(bool* deleted) : deleted_(deleted) {}
    ~Tracked() override { *deleted_ = true; }
    void PostNcDestroy() override { delete this; }

private:
    bool* deleted_;
};

TEST_F(TreeTest, SelfDeletingWindowsGoWithTheirParent) {
    bool deleted = false;
    LogWnd parent("parent");
    ASSERT_TRUE(MakePopup(parent, CRect(0, 0, 100, 100)));
    auto* child = new Tracked(&deleted);
    ASSERT_TRUE(MakeChild(*child, parent, CRect(0, 0, 10, 10)));
    parent.DestroyWindow();
    EXPECT_TRUE(deleted);
}

TEST_F(TreeTest, AWindowMayDestroyItselfInsideItsOwnHandler) {
    bool deleted = false;
    auto* wnd = new Tracked(&deleted);
    ASSERT_TRUE(MakePopup(*wnd, CRect(0, 0, 100, 100)));
    const HWND hwnd = wnd->m_hWnd;
    int destroyMessages = 0;
    wnd->hook = [hwnd, &destroyMessages](UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message == WM_DESTROY) {
            ++destroyMessages;
            EXPECT_TRUE(DestroyWindow(hwnd));  // again, from inside: harmless
        }
        if (message == WM_APP) {
            DestroyWindow(hwnd);
            return true;  // the object is gone: nothing of it may be touched now
        }
        return false;
    };
    PostMessageA(hwnd, WM_APP, 0, 0);
    PostMessageA(hwnd, WM_APP + 1, 0, 0);  // dropped: the window is gone by then
    plat::input::Click(50, 50);
    plat::PumpMessages();
    EXPECT_TRUE(deleted);
    EXPECT_EQ(destroyMessages, 1);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(TreeTest, WmCloseDestroysByDefault) {
    LogWnd wnd;
    ASSERT_TRUE(MakePopup(wnd, CRect(0, 0, 10, 10)));
    wnd.SendMessage(WM_CLOSE);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(wnd.Count(WM_DESTROY), 1);
}

TEST_F(TreeTest, AViewDrawsThroughOnDrawAndDeletesItselfWithItsWindow) {
    struct View : CView {
        bool* deleted = nullptr;
        int draws = 0;
        CPoint clipCorner;
        ~View() override { *deleted = true; }
        void OnDraw(CDC* dc) override {
            ++draws;
            CRect clip;
            dc->GetClipBox(&clip);
            clipCorner = clip.BottomRight();
            dc->FillSolidRect(0, 0, 10, 10, kRed);
        }
    };
    bool deleted = false;
    LogWnd parent("parent");
    ASSERT_TRUE(MakePopup(parent, CRect(100, 100, 200, 200)));
    auto* view = new View;
    view->deleted = &deleted;
    ASSERT_TRUE(view->Create(nullptr, "", WS_VISIBLE | WS_BORDER, CRect(0, 0, 50, 40), &parent, 1));
    EXPECT_TRUE(view->GetExStyle() & WS_EX_CLIENTEDGE);  // a view's border is a client edge
    EXPECT_FALSE(view->GetStyle() & WS_BORDER);
    plat::PumpMessages();
    EXPECT_EQ(view->draws, 1);
    EXPECT_EQ(view->clipCorner, CPoint(46, 36));
    EXPECT_EQ(screen().GetPixel(102, 102), kRed);  // inside the 2-pixel edge
    parent.DestroyWindow();
    EXPECT_TRUE(deleted);
}

TEST_F(TreeTest, RelativesAreFoundThroughTheTree) {
    LogWnd top("top");
    LogWnd a("a");
    LogWnd b("b");
    LogWnd c("c");
    LogWnd inner("inner");
    ASSERT_TRUE(MakePopup(top, CRect(0, 0, 100, 100)));
    ASSERT_TRUE(MakeChild(a, top, CRect(0, 0, 10, 10), 10));
    ASSERT_TRUE(MakeChild(b, top, CRect(0, 0, 10, 10), 20));
    ASSERT_TRUE(MakeChild(c, top, CRect(0, 0, 10, 10), 30));
    ASSERT_TRUE(MakeChild(inner, b, CRect(0, 0, 5, 5), 40));

    // A new window goes on top of its siblings.
    EXPECT_EQ(top.GetWindow(GW_CHILD), &c);
    EXPECT_EQ(c.GetWindow(GW_HWNDNEXT), &b);
    EXPECT_EQ(b.GetWindow(GW_HWNDNEXT), &a);
    EXPECT_EQ(a.GetWindow(GW_HWNDNEXT), nullptr);
    EXPECT_EQ(a.GetWindow(GW_HWNDPREV), &b);
    EXPECT_EQ(b.GetWindow(GW_HWNDFIRST), &c);
    EXPECT_EQ(b.GetWindow(GW_HWNDLAST), &a);
    EXPECT_EQ(inner.GetParent(), &b);
    EXPECT_EQ(top.GetParent(), nullptr);
    EXPECT_EQ(inner.GetTopLevelParent(), &top);
    EXPECT_EQ(top.GetDlgItem(20), &b);
    EXPECT_EQ(top.GetDlgItem(40), nullptr);  // only direct children
    EXPECT_TRUE(top.IsChild(&inner));
    EXPECT_FALSE(a.IsChild(&inner));
    EXPECT_EQ(GetParent(inner.m_hWnd), b.m_hWnd);

    EXPECT_EQ(b.SetDlgCtrlID(25), 20);
    EXPECT_EQ(top.GetDlgItem(25), &b);
    EXPECT_EQ(GetWindowLongA(b.m_hWnd, GWLP_ID), 25);

    EXPECT_EQ(inner.GetOwner(), &b);  // without an owner, the parent
    inner.SetOwner(&c);
    EXPECT_EQ(inner.GetOwner(), &c);

    a.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(top.GetWindow(GW_CHILD), &a);
    a.SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(top.GetWindow(GW_CHILD), &c);
    EXPECT_EQ(b.GetWindow(GW_HWNDLAST), &a);
    SetWindowPos(a.m_hWnd, c.m_hWnd, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(c.GetWindow(GW_HWNDNEXT), &a);
}

TEST_F(TreeTest, SetParentMovesAWindowBetweenParents) {
    LogWnd first("first");
    LogWnd second("second");
    LogWnd child("child");
    ASSERT_TRUE(MakePopup(first, CRect(0, 0, 100, 100)));
    ASSERT_TRUE(MakePopup(second, CRect(200, 0, 300, 100)));
    ASSERT_TRUE(MakeChild(child, first, CRect(10, 10, 20, 20)));
    EXPECT_EQ(child.SetParent(&second), &first);
    EXPECT_EQ(child.GetParent(), &second);
    EXPECT_EQ(first.GetWindow(GW_CHILD), nullptr);
    CRect rect;
    child.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(210, 10, 220, 20));
    EXPECT_EQ(second.SetParent(&child), nullptr);  // no window under its own child
}

TEST_F(TreeTest, WindowTextGoesThroughItsMessages) {
    LogWnd wnd;
    ASSERT_TRUE(MakePopup(wnd, CRect(0, 0, 10, 10)));
    wnd.SetWindowText(
        "Depth \xB0"
        "C");
    EXPECT_EQ(wnd.Count(WM_SETTEXT), 1);
    EXPECT_EQ(wnd.GetWindowTextLength(), 8);
    CString text;
    wnd.GetWindowText(text);
    EXPECT_EQ(text,
              "Depth \xB0"
              "C");
    char small[4] = "xyz";
    EXPECT_EQ(wnd.GetWindowText(small, 4), 3);
    EXPECT_STREQ(small, "Dep");
    EXPECT_EQ(wnd.GetWindowText(small, 0), 0);
    wnd.SetWindowText(nullptr);
    wnd.GetWindowText(text);
    EXPECT_TRUE(text.IsEmpty());
}

TEST_F(TreeTest, AFontSetOnAWindowIsTheOneItAnswers) {
    LogWnd wnd;
    ASSERT_TRUE(MakePopup(wnd, CRect(0, 0, 10, 10)));
    plat::PumpMessages();
    EXPECT_EQ(wnd.GetFont(), nullptr);
    CFont font;
    LOGFONT lf{};
    lf.lfHeight = -12;
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    wnd.SetFont(&font, FALSE);
    EXPECT_EQ(wnd.GetFont(), &font);
    plat::PumpMessages();
    EXPECT_EQ(wnd.Count(WM_PAINT), 1);  // the first paint only: no redraw asked
    wnd.SetFont(&font, TRUE);
    plat::PumpMessages();
    EXPECT_EQ(wnd.Count(WM_PAINT), 2);
    wnd.SetFont(nullptr);
    EXPECT_EQ(wnd.GetFont(), nullptr);
}

TEST_F(TreeTest, StylesChangeThroughModifyStyleWithItsMessages) {
    LogWnd overlapped;
    ASSERT_TRUE(
        overlapped.CreateEx(0, nullptr, "", WS_OVERLAPPED, CRect(0, 0, 200, 200), nullptr, 0));
    // Overlapped windows always have a caption and clip their siblings.
    EXPECT_EQ(overlapped.GetStyle() & (WS_CAPTION | WS_CLIPSIBLINGS), WS_CAPTION | WS_CLIPSIBLINGS);

    LogWnd wnd;
    ASSERT_TRUE(MakePopup(wnd, CRect(0, 0, 10, 10)));
    EXPECT_FALSE(wnd.ModifyStyle(0, WS_VISIBLE));  // no change
    EXPECT_TRUE(wnd.ModifyStyle(0, WS_CLIPCHILDREN));
    EXPECT_TRUE(wnd.GetStyle() & WS_CLIPCHILDREN);
    EXPECT_EQ(wnd.Count(WM_STYLECHANGING), 1);
    EXPECT_EQ(wnd.Count(WM_STYLECHANGED), 1);
    EXPECT_TRUE(wnd.ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED));
    CRect client;
    wnd.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 6, 6));  // the frame change took the edge in
    EXPECT_EQ(SetWindowLongPtrA(wnd.m_hWnd, GWLP_USERDATA, 77), 0);
    EXPECT_EQ(GetWindowLongPtrA(wnd.m_hWnd, GWLP_USERDATA), 77);
}

TEST_F(TreeTest, NotificationsFromChildrenAreOfferedBackToThemFirst) {
    struct Control : LogWnd {
        bool takeCommands = false;
        BOOL OnChildNotify(UINT message, WPARAM, LPARAM, LRESULT* result) override {
            if (message == WM_COMMAND) {
                return takeCommands;
            }
            if (message == WM_NOTIFY) {
                *result = 5;
                return TRUE;
            }
            if (message == WM_CTLCOLORSTATIC) {
                *result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_INFOBK));
                return TRUE;
            }
            return FALSE;
        }
    };
    struct Parent : LogWnd {
        std::vector<UINT> commands;
        BOOL OnCmdMsg(UINT id, int code, void*, void*) override {
            commands.push_back(id);
            return code == 0;
        }
    };
    Parent parent;
    Control control;
    ASSERT_TRUE(MakePopup(parent, CRect(0, 0, 100, 100)));
    ASSERT_TRUE(MakeChild(control, parent, CRect(0, 0, 10, 10), 7));
    const auto controlParam = reinterpret_cast<LPARAM>(control.m_hWnd);

    EXPECT_EQ(parent.SendMessage(WM_COMMAND, MAKEWPARAM(7, 0), controlParam), 1);
    control.takeCommands = true;
    EXPECT_EQ(parent.SendMessage(WM_COMMAND, MAKEWPARAM(7, 0), controlParam), 1);
    EXPECT_EQ(parent.SendMessage(WM_COMMAND, MAKEWPARAM(9, 0), 0), 1);   // a menu command
    EXPECT_EQ(parent.SendMessage(WM_COMMAND, MAKEWPARAM(11, 1), 0), 0);  // nobody's
    EXPECT_EQ(parent.commands, std::vector<UINT>({7, 9, 11}));

    NMHDR header{control.m_hWnd, 7, static_cast<UINT>(-746)};
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&header)), 5);

    CClientDC dc(&control);
    const auto hdc = reinterpret_cast<WPARAM>(dc.GetSafeHdc());
    EXPECT_EQ(reinterpret_cast<HBRUSH>(parent.SendMessage(WM_CTLCOLORSTATIC, hdc, controlParam)),
              GetSysColorBrush(COLOR_INFOBK));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(parent.SendMessage(WM_CTLCOLORBTN, hdc, controlParam)),
              GetSysColorBrush(COLOR_3DFACE));
    EXPECT_EQ(dc.GetBkColor(), GetSysColor(COLOR_3DFACE));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(parent.SendMessage(WM_CTLCOLOREDIT, hdc, controlParam)),
              GetSysColorBrush(COLOR_WINDOW));
    EXPECT_EQ(dc.GetBkColor(), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(dc.GetTextColor(), GetSysColor(COLOR_WINDOWTEXT));
}

TEST_F(TreeTest, AnOverrideReplacesTheDefaultUnlessItCallsItsBase) {
    struct Stubborn : LogWnd {
        CString section;
        void OnClose() override {}  // refuses to close
        void OnSettingChange(UINT, LPCTSTR lpszSection) override { section = lpszSection; }
        void OnSize(UINT nType, int cx, int cy) override {
            CWnd::OnSize(nType, cx, cy);  // the base does the default: nothing more
        }
    };
    Stubborn wnd;
    ASSERT_TRUE(MakePopup(wnd, CRect(0, 0, 10, 10)));
    wnd.SendMessage(WM_CLOSE);
    EXPECT_NE(wnd.m_hWnd, nullptr);
    wnd.SendMessage(WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("intl"));
    EXPECT_EQ(wnd.section, "intl");
    wnd.MoveWindow(0, 0, 20, 20);
    EXPECT_EQ(wnd.Last(WM_SIZE)->lParam, MAKELPARAM(20, 20));
    EXPECT_EQ(wnd.DefWindowProc(WM_USER + 5, 1, 2), 0);  // unknown messages answer 0
}

}  // namespace
}  // namespace wt
