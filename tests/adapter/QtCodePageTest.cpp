#include <gtest/gtest.h>

#include "platform/fake/FakePlatform.h"
#include "platform/qt/QtCodePage.h"

using namespace vantoly;
using fake::u16;

namespace {

TEST(AnsiCodePage, ChosenFromTheLocaleAsWindowsDoes) {
    const std::pair<const char*, int> table[] = {
        {"en_US", 1252}, {"de_DE", 1252}, {"fr_FR", 1252},      {"he_IL", 1255},
        {"ru_RU", 1251}, {"uk_UA", 1251}, {"bg_BG", 1251},      {"el_GR", 1253},
        {"tr_TR", 1254}, {"ar_EG", 1256}, {"fa_IR", 1256},      {"lt_LT", 1257},
        {"lv_LV", 1257}, {"et_EE", 1257}, {"pl_PL", 1250},      {"cs_CZ", 1250},
        {"hu_HU", 1250}, {"hr_HR", 1250}, {"sr_Latn_RS", 1250}, {"sr_Cyrl_RS", 1251},
        {"vi_VN", 1258}, {"th_TH", 874},  {"ja_JP", 1252}};
    for (const auto& [name, codePage] : table)
        EXPECT_EQ(qt::AnsiCodePageFor(QLocale(QString::fromLatin1(name))), codePage) << name;
}

TEST(AnsiCodePage, EveryChosenCodePageConverts) {
    for (int codePage : {874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258}) {
        qt::QtCodePage cp(codePage);
        EXPECT_EQ(cp.fromUnicode(u"Vantoly 12"), "Vantoly 12") << codePage;
        EXPECT_EQ(cp.toUnicode(std::string("ab\0", 3)), std::u16string(u"ab\0", 3)) << codePage;
    }
}

TEST(AnsiCodePage, UnrepresentableCharactersBecomeTheReplacement) {
    qt::QtCodePage western(1252);
    EXPECT_EQ(western.fromUnicode(u16("Café €5")), "Caf\xe9 \x80"
                                                   "5");
    EXPECT_EQ(western.fromUnicode(u16("ā ש")), "? ?");
    EXPECT_EQ(western.fromUnicode(u16("😀x")), "?x"); // one replacement for the pair
    EXPECT_EQ(western.toUnicode("Caf\xe9 \x80"), u16("Café €"));

    qt::QtCodePage cyrillic(1251);
    const std::string bytes = cyrillic.fromUnicode(u16("Привет"));
    EXPECT_EQ(bytes, "\xcf\xf0\xe8\xe2\xe5\xf2");
    EXPECT_EQ(cyrillic.toUnicode(bytes), u16("Привет"));

    qt::QtCodePage hebrew(1255);
    EXPECT_EQ(hebrew.toUnicode(hebrew.fromUnicode(u16("שלום"))), u16("שלום"));
}

} // namespace
