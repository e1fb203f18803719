// Composition root of the Windows program: the Win32 adapter and frmMain, wired together.
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/frmMain.h"
#include "base/Settings.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32SessionEvents.h"
#include "platform/win32/Win32Text.h"

namespace {

// A program without a console answers its options in a box.
std::optional<int> AnswerCommandLine() {
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; words && i < count; ++i)
        args.push_back(vantoly::win32::utf8(words[i], wcslen(words[i])));
    LocalFree(words);
    const auto answer = vantoly::AnswerCommandLine(args);
    if (!answer)
        return std::nullopt;
    const std::u16string text = vantoly::win32::fromUtf8(answer->out + answer->err);
    MessageBoxW(nullptr, vantoly::win32::wide(text), L"Vantoly",
                MB_OK | (answer->exitCode == 0 ? MB_ICONINFORMATION : MB_ICONEXCLAMATION));
    return answer->exitCode;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (const auto code = AnswerCommandLine())
        return *code;
    try {
        vantoly::win32::Win32Platform platform(instance);
        vantoly::frmMain form(platform.platform());
        platform.form.connectEvents(&form, [&platform](const char* what) {
            platform.host.reportProblem(std::string("Vantoly: ") + what);
        });
        vantoly::win32::CatchSessionEvents(platform.form, platform.shell,
                                           {[&form] { form.SessionSave(); },
                                            [&form] { form.SessionEnd(); },
                                            [&form] { form.BringToFront(); }});

        form.Form_Initialize();
        form.Form_Load();
        if (auto code = platform.host.exitCode())
            return *code;
        const int code = platform.form.run();
        return platform.host.exitCode().value_or(code);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "Vantoly could not start: %s\n", failure.what());
        return 1;
    }
}
