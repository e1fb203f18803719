// Start-up over a thousand damaged settings: whatever the store holds, the program starts with a
// usable window, shows the stored texts exactly as they are, and writes back only values it can
// read again.
#include <cmath>
#include <random>

#include "Fixture.h"
#include "base/NumberText.h"
#include "base/Settings.h"

using namespace vantoly;

namespace {

std::u16string damaged(std::mt19937& rng) {
    static const std::u16string samples[] = {u"abc",
                                             u"1e40",
                                             u"-1e40",
                                             u"-0",
                                             u"NaN",
                                             u"nan",
                                             u"inf",
                                             u"-inf",
                                             u"99999999999999999999",
                                             u"-99999999999999999999",
                                             u"-1",
                                             u"3",
                                             u"65536",
                                             u"32768",
                                             u"-32769",
                                             u"1,5",
                                             u"1.5",
                                             u" 12",
                                             u"12 ",
                                             u"0x10",
                                             u"",
                                             u"\r",
                                             u"line\rbreaks\ronly",
                                             u"line\nbreaks\nonly",
                                             u"@",
                                             u"@9:",
                                             u"@99:99 PM",
                                             u"\xD800",
                                             u"\xDC00x",
                                             u"\0\0",
                                             u"=",
                                             u"[Settings]",
                                             u"\"quoted\"",
                                             u"a,b,c"};
    std::uniform_int_distribution<int> kind(0, 3);
    switch (kind(rng)) {
    case 0:
        return samples[std::uniform_int_distribution<size_t>(0, std::size(samples) - 1)(rng)];
    case 1: { // random UTF-16 units, surrogates included
        std::u16string text(std::uniform_int_distribution<size_t>(0, 40)(rng), u' ');
        for (char16_t& c : text)
            c = char16_t(std::uniform_int_distribution<int>(0, 0xFFFF)(rng));
        return text;
    }
    case 2: { // a number cut short or run together
        std::u16string text = DecimalText(std::uniform_int_distribution<int32_t>()(rng));
        return text.substr(0, std::uniform_int_distribution<size_t>(0, text.size())(rng)) + u".5.5";
    }
    default: // digits beyond any range
        return std::u16string(std::uniform_int_distribution<size_t>(1, 60)(rng), u'9');
    }
}

TEST(DamagedSettings, StartUpCopesWithAThousandStores) {
    std::mt19937 rng(20261207);
    const std::u16string_view keys[] = {Key::xPos,   Key::yPos,   Key::wPos,  Key::hPos,
                                        Key::Note,   Key::Note2,  Key::Note3, Key::Title1,
                                        Key::Title2, Key::Title3, Key::Black, Key::Indicator};
    for (int run = 0; run < 1000; ++run) {
        fake::FakePlatform fp;
        fp.addDayIcons();
        for (std::u16string_view key : keys)
            if (rng() % 3 != 0)
                fp.store[std::u16string(key)] = damaged(rng);
        if (run == 0)
            fp.store[u"Note"] = std::u16string(10 * 1024 * 1024, u'x'); // a 10 MB note
        const auto stored = fp.store;
        frmMain form(fp.platform());
        ASSERT_NO_THROW(form.Form_Load()) << "run " << run;
        ASSERT_FALSE(fp.endedWith.has_value()) << "run " << run;
        for (Edge edge : {Edge::Left, Edge::Top, Edge::Width, Edge::Height})
            EXPECT_TRUE(std::isfinite(fp.geometry[int(edge)])) << "run " << run;
        EXPECT_GT(fp.geometry[int(Edge::Width)], 0) << "run " << run;
        EXPECT_GT(fp.geometry[int(Edge::Height)], 0) << "run " << run;
        for (Control box : {Control::chkBlack, Control::chkNote}) {
            EXPECT_GE(fp.value(box), 0) << "run " << run;
            EXPECT_LE(fp.value(box), 2) << "run " << run;
        }
        if (auto note = stored.find(u"Note"); note != stored.end()) {
            EXPECT_EQ(fp.text(Control::txtNote), note->second) << "run " << run;
        }
        if (auto title = stored.find(u"Title2"); title != stored.end()) {
            EXPECT_EQ(fp.text(Control::Option1_1), title->second) << "run " << run;
        }

        // The tray callback and a save go through every damaged text too.
        fp.visible = true;
        form.Picture1_MouseMove(0, 0, 517 * 15.0f, 0);
        form.SaveSettings();
        for (std::u16string_view key : {Key::xPos, Key::yPos, Key::wPos, Key::hPos})
            EXPECT_TRUE(ParseNumberText(fp.store.at(std::u16string(key)), u".")) << "run " << run;
        if (run == 0) {
            EXPECT_EQ(fp.store.at(u"Note").size(), 10u * 1024 * 1024);
        }
    }
}

} // namespace
