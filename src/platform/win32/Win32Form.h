#pragma once
// Win32 adapter: the window toolkit.
//
// Implements: frmMain as a resizable top-level tool window titled "Vantoly" (not in the
// taskbar), its controls as real child windows at their twip positions (the note selectors as
// one group of radio buttons, the two check boxes as push-like toggles with tooltips, OK as the
// default button, a multi-line edit box that takes Enter and leaves Tab to move the focus), the
// tab order, access keys and Enter through IsDialogMessage, the fonts, the three timers (SetTimer),
// Picture1 as a hidden child window whose mouse moves carry the tray's callbacks, icons loaded
// from .ico files and saved as the bytes they were loaded from, MessageBoxW and a small modal
// input box. Twips come from the window's DPI and follow it when the window changes monitors.
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "platform/FormDefinition.h"
#include "platform/FormEvents.h"
#include "platform/Toolkit.h"
#include "platform/win32/Win32Pictures.h"

#include "platform/win32/WindowsHeaders.h"

namespace vantoly::win32 {

class Win32Form : public Toolkit, public FormEventSink {
  public:
    explicit Win32Form(HINSTANCE instance);
    ~Win32Form() override;
    Win32Form(const Win32Form&) = delete;
    Win32Form& operator=(const Win32Form&) = delete;

    // Sees every message of the form first; a value means it was handled and is the result.
    using MessageHook = std::function<std::optional<LRESULT>(UINT, WPARAM, LPARAM)>;
    void setMessageHook(MessageHook hook) { hook_ = std::move(hook); }
    // The message loop, until the process is asked to end; returns the exit code.
    int run();

    HWND window() const { return form_; }
    HWND control(Control control) const { return controls_[size_t(control)]; }

    void InitCommonControls() override;
    float formGeometry(Edge edge) const override;
    void setFormGeometry(Edge edge, float twips) override;
    void setControlGeometry(Control control, Edge edge, float twips) override;
    bool formVisible() const override;
    void showForm() override;
    bool keyboardElsewhere() const override;
    void showFormQuietly() override;
    void hideForm() override;
    std::u16string text(Control control) const override;
    void setText(Control control, std::u16string text) override;
    void clearText(Control control) override;
    uint64_t textRevision(Control control) const override;
    int16_t value(Control control) const override;
    void setValue(Control control, int16_t value) override;
    void setFocus(Control control) override;
    int32_t windowHandle(Control control) const override;
    int32_t formHandle() const override;
    void setSelection(Control control, int32_t start, int32_t length) override;
    int32_t caret() const override;
    bool timerEnabled(Timer timer) const override;
    void setTimerEnabled(Timer timer, bool enabled) override;
    void loadPicture(const std::u16string& path) override;
    int32_t pictureHandle() const override;
    void savePicture(const std::u16string& path) override;
    int messageBox(const std::u16string& prompt, int style, const std::u16string& caption) override;
    std::u16string inputBox(const std::u16string& prompt, const std::u16string& caption,
                            const std::u16string& defaultText) override;
    float twipsPerPixelX() const override { return 1440.0f / float(dpi_); }

  private:
    static constexpr UINT_PTR kSubclass = 1; // the id of the controls' subclassing
    static LRESULT CALLBACK formProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK pictureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK controlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR self);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void command(WORD id, WORD code);
    void closeRequested();
    void outerSizeMayHaveChanged();
    void dpiChanged(UINT dpi, const RECT& suggested);
    // Makes the three fonts for the current DPI; the caller deletes any earlier ones.
    void makeFonts();
    HFONT fontOf(Control control) const;
    void place(Control control);
    // The outer size of a window with this client area, in pixels.
    SIZE outerSize(int clientWidth, int clientHeight) const;
    void makeControl(const ControlDefinition& definition, HINSTANCE instance);
    void showTitle(int index);
    void selectorTabStop();
    int pixels(float twips) const;
    float twips(int pixels) const { return float(pixels) * twipsPerPixelX(); }
    MouseArgs mouseArgs(int16_t button, WPARAM keys, LPARAM position) const;

    HINSTANCE instance_;
    HWND form_ = nullptr;
    std::array<HWND, 10> controls_{};
    std::array<std::array<float, 4>, 10> twips_{}; // each control's place, as last set
    HWND tooltip_ = nullptr;
    HFONT windowFont_ = nullptr, boldFont_ = nullptr, noteFont_ = nullptr;
    UINT dpi_ = 96;
    std::array<bool, 3> timers_{};
    std::map<Control, int16_t> checkValues_;
    std::array<std::wstring, 3> titles_; // the selectors' whole titles
    uint64_t noteRevision_ = 0;
    int16_t selectedNote_ = 0;
    HWND lastFocus_ = nullptr;

    Win32Pictures pictures_;

    std::optional<std::pair<float, float>> laidOutFor_; // outer size, in twips
    MessageHook hook_;
};

} // namespace vantoly::win32
