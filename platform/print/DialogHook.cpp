// The one hook that answers the platform's standard dialogs.

#include "platform/print/DialogHook.h"

#include <mutex>
#include <utility>

namespace plat {

namespace {

std::mutex& HookMutex() {
    static std::mutex mutex;
    return mutex;
}
DialogHook& Hook() {
    static DialogHook hook;
    return hook;
}

}  // namespace

DialogHook SetDialogHook(DialogHook hook) {
    const std::lock_guard lock(HookMutex());
    return std::exchange(Hook(), std::move(hook));
}

bool HasDialogHook() {
    const std::lock_guard lock(HookMutex());
    return static_cast<bool>(Hook());
}

DialogAnswer AskDialog(DialogRequest& request, DialogAnswer headlessAnswer) {
    // A copy, so that the hook may replace itself (or open another dialog) while it runs.
    DialogHook hook;
    {
        const std::lock_guard lock(HookMutex());
        hook = Hook();
    }
    return hook ? hook(request) : headlessAnswer;
}

}  // namespace plat
