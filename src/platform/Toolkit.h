#pragma once
// The window toolkit as frmMain sees it: the form, its twelve controls, the two timers, the
// picture box that loads icon files, and the message box. Units are the program's own: twips,
// 16-bit values, 32-bit handles.
#include <cstdint>
#include <string>

namespace vantoly {

enum class Control {
    Option1_0,
    Option1_1,
    Option1_2,
    chkBlack,
    chkNote,
    Picture1,
    Command3,
    Command2,
    Command1,
    txtNote,
};

inline Control Option1(int index) {
    return index == 0 ? Control::Option1_0 : index == 1 ? Control::Option1_1 : Control::Option1_2;
}
inline bool IsSelector(Control control) {
    return control == Control::Option1_0 || control == Control::Option1_1 ||
           control == Control::Option1_2;
}
// The selector's index; only for the three selectors.
inline int16_t Option1Index(Control selector) {
    return selector == Control::Option1_0 ? 0 : selector == Control::Option1_1 ? 1 : 2;
}

// timerAutosave is the program's own: it carries what is typed to the recovery journal.
enum class Timer { Timer1, timerAlarm, timerAutosave };

// Outer geometry of the form (frame included), or a control's place within the client area.
enum class Edge { Left, Top, Width, Height };

// The outer size an adapter reports is its client area plus the frame the window was designed
// with (5790 x 5400 twips outside, 5655 x 5010 inside), whatever frame the window system draws:
// the stored size and the layout then mean the same everywhere, and a tall title bar cuts
// nothing.
inline constexpr float kDesignedFrameWidthTwips = 5790 - 5655;
inline constexpr float kDesignedFrameHeightTwips = 5400 - 5010;

// Message box styles used by the program.
constexpr int vbOKOnly = 0;
constexpr int vbYesNo = 4;
constexpr int vbExclamation = 48;
constexpr int vbDefaultButton2 = 256;
// What a box answers.
constexpr int vbOK = 1;
constexpr int vbYes = 6;
constexpr int vbNo = 7;

class Toolkit {
  public:
    virtual ~Toolkit() = default;

    virtual void InitCommonControls() = 0;

    virtual float formGeometry(Edge edge) const = 0;
    virtual void setFormGeometry(Edge edge, float twips) = 0;
    virtual bool formVisible() const = 0;
    virtual void showForm() = 0;
    virtual void hideForm() = 0;
    // Whether another program has the keyboard (or may have it, where the window system does not
    // tell): keys the user types go there.
    virtual bool keyboardElsewhere() const = 0;
    // Shows the window on top without taking the keyboard from the window that has it; a click
    // or the window manager's switch gives it the keyboard, into the control that has the focus.
    virtual void showFormQuietly() = 0;

    // A control's position or size in twips, measured from the client area's top-left corner.
    virtual void setControlGeometry(Control control, Edge edge, float twips) = 0;

    // Caption of a button or check box, or the text of txtNote.
    virtual std::u16string text(Control control) const = 0;
    // The same text without copying a long note out; valid until the text changes or the next
    // call.
    virtual std::u16string_view textView(Control control) const {
        viewed_ = text(control);
        return viewed_;
    }
    // Taken by value: a note just read is moved in, not copied.
    virtual void setText(Control control, std::u16string text) = 0;
    // Empties a text box as the user would, so the box's own Undo (and Ctrl+Z) brings the text
    // back.
    virtual void clearText(Control control) { setText(control, std::u16string()); }
    // A number that changes whenever the control's text changes, set or typed: a reader can tell
    // that a long note is unchanged without reading it.
    virtual uint64_t textRevision(Control control) const = 0;
    // Check box value: 0 unchecked, 1 checked, 2 grayed.
    virtual int16_t value(Control control) const = 0;
    virtual void setValue(Control control, int16_t value) = 0;
    // Fails when the control cannot take the focus (the form is hidden, for example).
    virtual void setFocus(Control control) = 0;
    virtual int32_t windowHandle(Control control) const = 0;
    virtual int32_t formHandle() const = 0;
    // Selects in a text box from a zero-based offset; a length past the end selects to the end.
    virtual void setSelection(Control control, int32_t start, int32_t length) = 0;
    // Where the caret (the selection's start) stands in the note box, counted as setSelection
    // counts; 0 while the box is not shown.
    virtual int32_t caret() const = 0;

    virtual bool timerEnabled(Timer timer) const = 0;
    virtual void setTimerEnabled(Timer timer, bool enabled) = 0;

    // Picture1 as the loader of icon files. Loading replaces and releases the previous picture;
    // it fails when the file is missing, unreadable or not a picture. Saving writes the picture
    // in the format it was loaded from and fails when the file cannot be written.
    virtual void loadPicture(const std::u16string& path) = 0;
    virtual int32_t pictureHandle() const = 0;
    virtual void savePicture(const std::u16string& path) = 0;

    virtual int messageBox(const std::u16string& prompt, int style,
                           const std::u16string& caption) = 0;

    // Modal; the text entered, or the empty text when the user cancels.
    virtual std::u16string inputBox(const std::u16string& prompt, const std::u16string& caption,
                                    const std::u16string& defaultText) = 0;

    virtual float twipsPerPixelX() const = 0;

  private:
    mutable std::u16string viewed_;
};

} // namespace vantoly
