#include <string>

#include "app/NumberText.h"
#include "app/Settings.h"
#include "app/frmMain.h"
#include "platform/Failure.h"

namespace vantoly {

std::u16string frmMain::ReadSetting(std::u16string_view app, std::u16string_view section,
                                    std::u16string_view key, std::u16string_view defaultText) {
    auto stored =
        p_.settings.read(std::u16string(app), std::u16string(section), std::u16string(key));
    return stored ? *stored : std::u16string(defaultText);
}

std::u16string frmMain::ReadSetting(std::u16string_view app, std::u16string_view section,
                                    std::u16string_view key, float defaultNumber) {
    return ReadSetting(app, section, key, NumberText(defaultNumber, p_.clock.decimalSeparator()));
}

// A store that cannot be written must not stop Quit or OK: the user is told once, on standard
// error, and the program goes on with the next write.
void frmMain::WriteSetting(std::u16string_view app, std::u16string_view section,
                           std::u16string_view key, std::u16string_view text) {
    try {
        p_.settings.write(std::u16string(app), std::u16string(section), std::u16string(key),
                          std::u16string(text));
    } catch (const PlatformFailure& failure) {
        if (writeFailureReported_)
            return;
        writeFailureReported_ = true;
        p_.host.reportProblem(std::string("Vantoly: the settings could not be saved: ") +
                              failure.what());
    }
}

void frmMain::SaveSettings() {
    const std::u16string separator = p_.clock.decimalSeparator();
    WriteSetting(kAppTitle, kSection, Key::xPos,
                 NumberText(ui_.formGeometry(Edge::Left), separator));
    WriteSetting(kAppTitle, kSection, Key::yPos,
                 NumberText(ui_.formGeometry(Edge::Top), separator));
    WriteSetting(kAppTitle, kSection, Key::wPos,
                 NumberText(ui_.formGeometry(Edge::Width), separator));
    WriteSetting(kAppTitle, kSection, Key::hPos,
                 NumberText(ui_.formGeometry(Edge::Height), separator));
    WriteSetting(kAppTitle, kSection, NoteKey(CurrentNote), ui_.text(Control::txtNote));
    WriteSetting(kAppTitle, kSection, Key::Black, IntegerText(ui_.value(Control::chkBlack)));
    WriteSetting(kAppTitle, kSection, Key::Indicator, IntegerText(ui_.value(Control::chkNote)));
}

} // namespace vantoly
