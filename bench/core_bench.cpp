// What the handlers cost on the in-memory platform: the tray callback of a pointer move, the
// alarm check over a 32 KB note, the layout, and a save of all settings.
#include <benchmark/benchmark.h>

#include "app/frmMain.h"
#include "fake/FakePlatform.h"

using namespace vantoly;

namespace {

// The real toolkits count a text's changes as they happen; the fake compares whole texts, which
// the alarm rows would measure instead of the check.
struct CountingPlatform : fake::FakePlatform {
    uint64_t revision = 0;
    void setText(Control control, std::u16string text) override {
        FakePlatform::setText(control, std::move(text));
        ++revision;
    }
    uint64_t textRevision(Control) const override { return revision; }
};

struct Started {
    CountingPlatform fp;
    frmMain form{fp.platform()};
    Started() {
        fp.addDayIcons();
        form.Form_Load();
    }
};

void TrayPointerMove(benchmark::State& state) {
    Started s;
    for (auto _ : state) {
        s.form.Picture1_MouseMove(0, 0, 512 * 15.0f, 0);
        s.fp.shellCalls.clear();
    }
}
BENCHMARK(TrayPointerMove);

void AlarmCheckOnA32KNote(benchmark::State& state) {
    Started s;
    s.fp.setText(Control::txtNote, std::u16string(32 * 1024 - 6, u'x') + u"@23:59");
    s.form.ArmAlarm();
    for (auto _ : state)
        s.form.timerAlarm_Timer();
}
BENCHMARK(AlarmCheckOnA32KNote);

// A 10 MB note with an "@" in every line but no time: the armed check every ten seconds.
void AlarmCheckOnA10MBNote(benchmark::State& state) {
    Started s;
    std::u16string line(98, u'x');
    line[10] = u'@';
    line += u"\r\n";
    std::u16string note;
    note.reserve(10 << 20);
    while (note.size() + line.size() <= (10u << 20))
        note += line;
    s.fp.setText(Control::txtNote, note);
    s.form.ArmAlarm();
    for (auto _ : state)
        s.form.timerAlarm_Timer();
}
BENCHMARK(AlarmCheckOnA10MBNote)->Unit(benchmark::kMillisecond);

void Layout(benchmark::State& state) {
    Started s;
    for (auto _ : state)
        s.form.Form_Resize();
}
BENCHMARK(Layout);

void SaveAllSettings(benchmark::State& state) {
    Started s;
    s.fp.texts[Control::txtNote] = u"Call the dentist @4:30 PM";
    for (auto _ : state) {
        s.form.SaveSettings();
        s.fp.writes.clear();
    }
}
BENCHMARK(SaveAllSettings);

} // namespace

BENCHMARK_MAIN();
