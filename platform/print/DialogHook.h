#pragma once
// Answering the platform's standard dialogs without a screen. When a program opens one
// (the print dialog now; the colour, file and folder dialogs later), the platform hands a
// request record to one hook that the host or a test installs. The hook may change the
// record (the printer, its resolution, the output file, ...) and answers OK or Cancel,
// just as a person at the dialog would. A live backend may install a hook that shows a
// real dialog.
//
// Without a hook every dialog takes its documented headless answer, given by the dialog
// class (the print dialog answers OK with the default printer, so a host's "Print" works
// headless and writes its file).

#include <functional>

#include "platform/core/CString.h"
#include "platform/print/PrinterSettings.h"
#include "platform/window/WinUser.h"

namespace plat {

enum class DialogKind {
    Print,       // the print dialog
    PrintSetup,  // the print dialog opened for the printer's set-up only
};

enum class DialogAnswer { Ok, Cancel };

// What every request carries; each kind of dialog adds its own fields in a derived record.
struct DialogRequest {
    explicit DialogRequest(DialogKind k) : kind(k) {}
    DialogRequest(const DialogRequest&) = delete;
    DialogRequest& operator=(const DialogRequest&) = delete;

    const DialogKind kind;
    HWND owner = nullptr;  // the window the dialog belongs to, if any
    CString title;

    // The record as the derived type meant for this kind, or nullptr.
    template <class Request>
    Request* As() {
        return Request::Accepts(kind) ? static_cast<Request*>(this) : nullptr;
    }

protected:
    ~DialogRequest() = default;
};

// The print dialog (DialogKind::Print and PrintSetup).
struct PrintDialogRequest : DialogRequest {
    using DialogRequest::DialogRequest;
    static bool Accepts(DialogKind k) {
        return k == DialogKind::Print || k == DialogKind::PrintSetup;
    }

    DWORD flags = 0;          // the dialog's PD_ flags, for the hook to read
    PrinterSettings printer;  // in: the printer the dialog shows; out: the one chosen
};

using DialogHook = std::function<DialogAnswer(DialogRequest&)>;

// Installs the hook (an empty function removes it); answers the one it replaced.
SUI_API DialogHook SetDialogHook(DialogHook hook);
SUI_API bool HasDialogHook();

// Asks the hook, or answers headlessAnswer when there is none. The dialog classes call it
// from DoModal.
SUI_API DialogAnswer AskDialog(DialogRequest& request, DialogAnswer headlessAnswer);

// Installs a hook for a scope and puts the previous one back at its end.
class ScopedDialogHook {
public:
    explicit ScopedDialogHook(DialogHook hook) : previous_(SetDialogHook(std::move(hook))) {}
    ~ScopedDialogHook() { SetDialogHook(std::move(previous_)); }
    ScopedDialogHook(const ScopedDialogHook&) = delete;
    ScopedDialogHook& operator=(const ScopedDialogHook&) = delete;

private:
    DialogHook previous_;
};

}  // namespace plat
