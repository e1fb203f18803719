#include "app/Program.h"

#include <string>

#include "app/frmMain.h"

namespace vantoly {

int RunProgram(Platform& platform, FormEventSink& formEvents, const ProgramLoop& loop) {
    frmMain form(platform);
    formEvents.connectEvents(&form, [&platform](const char* what) {
        platform.host.reportProblem(std::string("Vantoly: ") + what);
    });
    loop.catchSessionEvents({[&form] { form.SessionSave(); }, [&form] { form.SessionEnd(); },
                             [&form] { form.BringToFront(); }});
    form.Form_Initialize();
    form.Form_Load();
    if (const auto code = loop.endedWith())
        return *code;
    const int code = loop.run();
    return loop.endedWith().value_or(code);
}

} // namespace vantoly
