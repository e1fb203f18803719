#pragma once
// The events an adapter delivers to frmMain. Mouse buttons: 1 left, 2 right, 4 middle; shift
// state: 1 Shift, 2 Ctrl, 4 Alt; positions in twips.
#include <cstdint>
#include <exception>
#include <functional>

#include "platform/Toolkit.h"

namespace vantoly {

class FormEvents {
  public:
    virtual ~FormEvents() = default;
    virtual void Form_Unload(int16_t& Cancel) = 0;
    virtual void Form_Resize() = 0;
    virtual void Form_DblClick() = 0;
    virtual void Form_MouseUp(int16_t Button, int16_t Shift, float X, float Y) = 0;
    virtual void Option1_Click(int16_t Index) = 0;
    virtual void Option1_MouseDown(int16_t Index, int16_t Button, int16_t Shift, float X,
                                   float Y) = 0;
    virtual void chkBlack_Click() = 0;
    virtual void chkNote_Click() = 0;
    virtual void Command1_Click() = 0;
    virtual void Command2_Click() = 0;
    virtual void Command3_Click() = 0;
    // The tray icon's mouse actions arrive here, the action's message number times the twips
    // per pixel in X.
    virtual void Picture1_MouseMove(int16_t Button, int16_t Shift, float X, float Y) = 0;
    virtual void Timer1_Timer() = 0;
    virtual void timerAlarm_Timer() = 0;
    virtual void timerAutosave_Timer() = 0;
    // The user changed the note's text (typing, pasting, Undo); not a text the program set.
    virtual void NoteTyped() = 0;
};

// A mouse event as the handlers take it.
struct MouseArgs {
    int16_t button = 0, shift = 0;
    float x = 0, y = 0;
};

// How an adapter's form runs frmMain's handlers from its event loop: a failure that escapes a
// handler is reported, never thrown into the toolkit (or through a window procedure), and once
// the process was asked to end no further event reaches the handlers.
class FormEventSink {
  public:
    void connectEvents(FormEvents* events, std::function<void(const char*)> reportFailure) {
        events_ = events;
        reportFailure_ = std::move(reportFailure);
    }
    void stopEvents() { events_ = nullptr; }
    bool eventsConnected() const { return events_ != nullptr; }

    // Runs a handler of the program's (a session event's, say) while events are connected.
    void dispatch(const std::function<void()>& handler) {
        if (!events_)
            return;
        try {
            handler();
        } catch (const std::exception& failure) {
            if (reportFailure_)
                reportFailure_(failure.what());
        } catch (...) {
            if (reportFailure_)
                reportFailure_("unexpected failure");
        }
    }
    template <typename Event> void deliver(Event&& event) {
        dispatch([&] { event(*events_); });
    }
    // A click of a button or check box, and a timer's tick, to the handler that takes it.
    void click(Control control) {
        deliver([control](FormEvents& e) {
            switch (control) {
            case Control::chkBlack:
                return e.chkBlack_Click();
            case Control::chkNote:
                return e.chkNote_Click();
            case Control::Command1:
                return e.Command1_Click();
            case Control::Command2:
                return e.Command2_Click();
            case Control::Command3:
                return e.Command3_Click();
            default:
                if (IsSelector(control))
                    e.Option1_Click(Option1Index(control));
            }
        });
    }
    void tick(Timer timer) {
        deliver([timer](FormEvents& e) {
            timer == Timer::Timer1       ? e.Timer1_Timer()
            : timer == Timer::timerAlarm ? e.timerAlarm_Timer()
                                         : e.timerAutosave_Timer();
        });
    }

  private:
    FormEvents* events_ = nullptr;
    std::function<void(const char*)> reportFailure_;
};

} // namespace vantoly
