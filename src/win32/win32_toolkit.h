// The windowing toolkit on the Win32 API: loads forms into real windows, runs
// the message loop and the modal loops.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "form_window.h"
#include "system_reports.h"
#include "toolkit.h"
#include "window_resources.h"

namespace orvanta::win32 {

class Win32Toolkit : public ui::Toolkit, public WindowResources {
public:
    // `system` is what the windows ask of the running Windows; it outlives the toolkit.
    Win32Toolkit(HINSTANCE instance, const SystemReports& system);
    ~Win32Toolkit() override;

    // Makes the thread a single-threaded apartment, registers the window
    // class and loads the shared resources.
    bool Initialize();

    // Loads the start-up form, shows it as `show` asks (the SW_ value the
    // program was started with) and runs the message loop until it is
    // unloaded. Returns the exit code, or kCouldNotStart when the window
    // could not be created.
    int Run(ui::Form& startup, int show);
    static constexpr int kCouldNotStart = -1;
    // Loads and shows a form without running a loop (the caller pumps messages).
    FormWindow* Load(ui::Form& form, ui::Form* owner, int show = SW_SHOWNORMAL);
    void ShowModal(ui::Form& form, ui::Form* owner) override;

    // Handles one message as the program's loop does (keyboard navigation included).
    void Dispatch(MSG& message);

    // WindowResources
    HINSTANCE Instance() const override { return instance_; }
    HICON ApplicationIcon(int dpi, bool small) const override;
    HICON SmallIconFor(HICON big) const override;
    HCURSOR HandCursor() const override { return handCursor_; }
    const SystemReports& System() const override { return system_; }

    FormWindow* WindowOf(const ui::Form& form) const;
    void Forget(FormWindow* window);

private:
    // The message loop: runs until `window` is unloaded. Returns false when
    // the thread's WM_QUIT came first, with its exit code in `exitCode`.
    bool RunUntilUnloaded(const FormWindow& window, int& exitCode);
    static void HandActivationBack(const FormWindow& modal, const FormWindow* owner);

    // The big and small icons loaded for a pair of sizes.
    struct Icons {
        int bigSize, smallSize;
        HICON bigIcon, smallIcon;
    };

    HINSTANCE instance_;
    const SystemReports& system_;
    HCURSOR handCursor_ = nullptr;
    bool comInitialized_ = false;
    mutable std::vector<Icons> icons_;
    std::vector<std::unique_ptr<FormWindow>> windows_;
};

}  // namespace orvanta::win32
