// The window tree: creation and its messages, failed creation, destruction order,
// self-deleting windows, relatives, z-order, text, styles and notifications.

#include "WindowTestSupport.h"
#include "platform/window/CView.h"

namespace wt {
namespace {

using TreeTest = WindowTest;

class Tracked : public LogWnd {
public:
    Tracked(std::string name, bool* deleted) : LogWnd(std::move(name)), deleted_(deleted) {}
    ~Tracked() override { *deleted_ = true; }
    void PostNcDestroy() override { delete this; }

private:
    bool* deleted_;
};

TEST_F(TreeTest, CreationSendsItsMessagesInTheWindowingSystemsOrder) {
    LogWnd parent("parent");
    ASSERT_TRUE(MakePopup(parent, CRect(0, 0, 100, 100)));
    LogWnd child("child");
    ASSERT_TRUE(child.Create(nullptr, "text", WS_VISIBLE, CRect(5, 6, 25, 36), &parent, 7));

    const std::vector<UINT> order = {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE,
                                     WM_SIZE,     WM_MOVE,       WM_SHOWWINDOW};
    EXPECT_EQ(child.Messages(order), order);
    EXPECT_EQ(child.Last(WM_SIZE).lParam, MAKELPARAM(20, 30));
    EXPECT_EQ(child.Last(WM_MOVE).lParam, MAKELPARAM(5, 6));
    EXPECT_EQ(child.GetParent(), &parent);  // Create makes a child window
}

TEST_F(TreeTest, CreationFailsWhenRefusedOrWithoutAUsableParent) {
    struct Refusing : LogWnd {
        int OnCreate(LPCREATESTRUCT) override { return -1; }
    };
    LogWnd parent("parent");
    ASSERT_TRUE(MakePopup(parent, CRect(0, 0, 100, 100)));
    Refusing child;
    EXPECT_FALSE(MakeChild(child, parent, CRect(0, 0, 10, 10)));
    EXPECT_EQ(child.m_hWnd, nullptr);
    EXPECT_EQ(child.Messages({WM_DESTROY, WM_NCDESTROY, WM_SIZE}),
              std::vector<UINT>({WM_DESTROY, WM_NCDESTROY}));

    LogWnd noNcCreate;
    noNcCreate.hook = [](UINT message, WPARAM, LPARAM, LRESULT& result) {
        result = 0;
        return message == WM_NCCREATE;
    };
    EXPECT_FALSE(MakeChild(noNcCreate, parent, CRect(0, 0, 10, 10)));
    EXPECT_EQ(noNcCreate.Count(WM_CREATE), 0);
    EXPECT_EQ(parent.GetWindow(GW_CHILD), nullptr);

    LogWnd orphan;
    const HWND stale = parent.m_hWnd;
    parent.DestroyWindow();
    EXPECT_FALSE(orphan.CreateEx(0, nullptr, "", WS_CHILD, 0, 0, 5, 5, stale, nullptr));
    EXPECT_FALSE(orphan.CreateEx(0, nullptr, "", WS_CHILD, CRect(0, 0, 5, 5), nullptr, 1));
    EXPECT_TRUE(orphan.log.empty());
}

TEST_F(TreeTest, ClassesAreFoundWithoutRegardToCaseAndUnknownOnesFailTheCreation) {
    LogWnd wnd;
    SetLastError(0);
    EXPECT_FALSE(wnd.CreateEx(0, "SurveyTestClass", "", WS_POPUP, CRect(0, 0, 5, 5), nullptr, 0));
    EXPECT_EQ(GetLastError(), 1407u);
    EXPECT_TRUE(wnd.log.empty());  // no message reached it
    WNDCLASS cls{};
    cls.lpszClassName = "SurveyTestClass";
    EXPECT_NE(RegisterClassA(&cls), 0);
    EXPECT_EQ(RegisterClassA(&cls), 0);   // taken
    EXPECT_TRUE(AfxRegisterClass(&cls));  // the framework accepts an existing class
    EXPECT_TRUE(wnd.CreateEx(0, "SURVEYTESTCLASS", "", WS_POPUP, CRect(0, 0, 5, 5), nullptr, 0));
    EXPECT_FALSE(MakePopup(wnd, CRect(0, 0, 5, 5)));  // one window per object
}

// WM_DESTROY reaches a window before its children, WM_NCDESTROY after them; owned
// windows go before their owner; self-deleting children are deleted.
TEST_F(TreeTest, DestructionTellsParentsFirstAndFinishesChildrenFirst) {
    bool deleted = false;
    LogWnd parent("parent");
    LogWnd first("first");
    LogWnd second("second");
    LogWnd owned("owned");
    auto* grandchild = new Tracked("grandchild", &deleted);
    ASSERT_TRUE(MakePopup(parent, CRect(0, 0, 100, 100)));
    ASSERT_TRUE(MakeChild(first, parent, CRect(0, 0, 50, 50)));
    ASSERT_TRUE(MakeChild(second, parent, CRect(50, 0, 100, 50)));
    ASSERT_TRUE(MakeChild(*grandchild, first, CRect(0, 0, 10, 10)));
    ASSERT_TRUE(owned.CreateEx(0, nullptr, "", WS_POPUP, CRect(0, 0, 10, 10), &parent, 0));
    Journal().clear();

    EXPECT_TRUE(parent.DestroyWindow());
    // Children are listed topmost first: the later-made second comes before first.
    EXPECT_EQ(WhoGot({WM_DESTROY}), "owned parent second first grandchild");
    EXPECT_EQ(WhoGot({WM_NCDESTROY}), "owned second grandchild first parent");
    for (const CWnd* w : {&parent, &first, &second, &owned}) {
        EXPECT_EQ(w->m_hWnd, nullptr);
    }
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(parent.DestroyWindow());  // nothing left to destroy
}

TEST_F(TreeTest, AWindowMayDestroyItselfInsideItsOwnHandler) {
    bool deleted = false;
    auto* wnd = new Tracked("self", &deleted);
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

TEST_F(TreeTest, AViewDrawsThroughOnDrawInsideItsEdgeAndDeletesItself) {
    struct View : CView {
        bool* deleted = nullptr;
        ~View() override { *deleted = true; }
        void OnDraw(CDC* dc) override { dc->FillSolidRect(0, 0, 100, 100, kRed); }
    };
    bool deleted = false;
    LogWnd parent("parent");
    ASSERT_TRUE(MakePopup(parent, CRect(100, 100, 200, 200), WS_VISIBLE, BareClass()));
    auto* view = new View;
    view->deleted = &deleted;
    ASSERT_TRUE(view->Create(nullptr, "", WS_VISIBLE | WS_BORDER, CRect(0, 0, 50, 40), &parent, 1));
    plat::PumpMessages();
    EXPECT_NE(screen().GetPixel(101, 101), kRed);  // a view's border is a 2-pixel edge
    EXPECT_EQ(screen().GetPixel(147, 137), kRed);
    EXPECT_NE(screen().GetPixel(148, 138), kRed);
    parent.DestroyWindow();
    EXPECT_TRUE(deleted);
}

TEST_F(TreeTest, RelativesAndTheZOrderFollowTheTree) {
    LogWnd top("top");
    LogWnd a("a");
    LogWnd b("b");
    LogWnd inner("inner");
    ASSERT_TRUE(MakePopup(top, CRect(0, 0, 100, 100)));
    ASSERT_TRUE(MakeChild(a, top, CRect(0, 0, 10, 10), WS_VISIBLE, nullptr, 10));
    ASSERT_TRUE(MakeChild(b, top, CRect(0, 0, 10, 10), WS_VISIBLE, nullptr, 20));
    ASSERT_TRUE(MakeChild(inner, b, CRect(0, 0, 5, 5), WS_VISIBLE, nullptr, 30));

    EXPECT_EQ(top.GetWindow(GW_CHILD), &b);  // a new window goes on top of its siblings
    EXPECT_EQ(top.GetDlgItem(20), &b);
    EXPECT_EQ(top.GetDlgItem(30), nullptr);  // only direct children
    EXPECT_FALSE(a.IsChild(&inner));
    a.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(top.GetWindow(GW_CHILD), &a);
    EXPECT_EQ(a.GetWindow(GW_HWNDNEXT), &b);

    LogWnd other("other");
    ASSERT_TRUE(MakePopup(other, CRect(200, 0, 300, 100)));
    EXPECT_EQ(b.SetParent(&other), &top);
    EXPECT_EQ(inner.GetTopLevelParent(), &other);
    CRect rect;
    inner.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(200, 0, 205, 5));
    EXPECT_EQ(other.SetParent(&inner), nullptr);  // no window under its own descendant
}

TEST_F(TreeTest, WindowTextIsCutToTheBufferAndStylesChangeWithTheirMessages) {
    LogWnd wnd;
    ASSERT_TRUE(MakePopup(wnd, CRect(0, 0, 10, 10)));
    wnd.SetWindowText(
        "Depth \xB0"
        "C");
    EXPECT_EQ(wnd.GetWindowTextLength(), 8);
    char small[4] = "xyz";
    EXPECT_EQ(wnd.GetWindowText(small, 4), 3);
    EXPECT_STREQ(small, "Dep");
    EXPECT_EQ(wnd.GetWindowText(small, 0), 0);

    EXPECT_FALSE(wnd.ModifyStyle(0, WS_VISIBLE));  // no change
    EXPECT_TRUE(wnd.ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED));
    EXPECT_EQ(wnd.Count(WM_STYLECHANGED), 1);
    CRect client;
    wnd.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 6, 6));  // the frame change took the edge in
}

TEST_F(TreeTest, CommandsAndNotificationsFromChildrenAreOfferedBackToThemFirst) {
    struct Control : LogWnd {
        bool take = false;
        BOOL OnChildNotify(UINT, WPARAM, LPARAM, LRESULT* result) override {
            *result = 5;
            return take;
        }
    };
    LogWnd parent("parent");
    Control control;
    ASSERT_TRUE(MakePopup(parent, CRect(0, 0, 100, 100)));
    ASSERT_TRUE(MakeChild(control, parent, CRect(0, 0, 10, 10), WS_VISIBLE, nullptr, 7));
    const auto fromControl = reinterpret_cast<LPARAM>(control.m_hWnd);
    NMHDR header{control.m_hWnd, 7, static_cast<UINT>(-746)};
    const auto notify = reinterpret_cast<LPARAM>(&header);
    EXPECT_EQ(parent.SendMessage(WM_COMMAND, MAKEWPARAM(7, 0), fromControl), 0);  // nobody's
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 7, notify), 0);
    control.take = true;
    EXPECT_EQ(parent.SendMessage(WM_COMMAND, MAKEWPARAM(7, 0), fromControl), 1);
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 7, notify), 5);  // the control's answer
}

}  // namespace
}  // namespace wt
