#include "platform/qt/QtCodePage.h"

#include <QString>
#include <iconv.h>
#include <langinfo.h>

#include <stdexcept>
#include <string>

namespace vantoly::qt {
namespace {

iconv_t openConverter(const std::string& to, const std::string& from) {
    iconv_t cd = iconv_open(to.c_str(), from.c_str());
    if (cd == iconv_t(-1))
        throw std::runtime_error("iconv cannot convert " + from + " to " + to);
    return cd;
}

std::string iconvName(int codePage) {
    return codePage == kUtf8CodePage ? "UTF-8" : "CP" + std::to_string(codePage);
}

// Converts one unit of input; false when the converter has no mapping for it.
bool convertOne(iconv_t cd, const char* in, size_t inLength, std::string& out) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char buffer[16];
    char* source = const_cast<char*>(in);
    char* target = buffer;
    size_t left = sizeof buffer;
    if (iconv(cd, &source, &inLength, &target, &left) == size_t(-1) || inLength != 0)
        return false;
    // Hebrew and Vietnamese hold a letter back in case a combining mark follows: flush it.
    if (iconv(cd, nullptr, nullptr, &target, &left) == size_t(-1))
        return false;
    out.append(buffer, size_t(target - buffer));
    return true;
}

} // namespace

int AnsiCodePageFor(const QLocale& locale) {
    switch (locale.script()) {
    case QLocale::CyrillicScript:
        return 1251;
    case QLocale::GreekScript:
        return 1253;
    case QLocale::HebrewScript:
        return 1255;
    case QLocale::ArabicScript:
        return 1256;
    case QLocale::ThaiScript:
        return 874;
    default:
        break;
    }
    switch (locale.language()) {
    case QLocale::Turkish:
    case QLocale::Azerbaijani:
        return 1254;
    case QLocale::Estonian:
    case QLocale::Latvian:
    case QLocale::Lithuanian:
        return 1257;
    case QLocale::Polish:
    case QLocale::Czech:
    case QLocale::Slovak:
    case QLocale::Hungarian:
    case QLocale::Slovenian:
    case QLocale::Croatian:
    case QLocale::Romanian:
    case QLocale::Albanian:
    case QLocale::Bosnian:
    case QLocale::Serbian: // Latin script; the Cyrillic one is 1251 above
        return 1250;
    case QLocale::Vietnamese:
        return 1258;
    default:
        return 1252;
    }
}

int SystemCodePage() {
    const std::string codeset = nl_langinfo(CODESET);
    if (codeset == "UTF-8" || codeset == "utf8")
        return kUtf8CodePage;
    return AnsiCodePageFor(QLocale::system());
}

QtCodePage::QtCodePage(int codePage)
    : codePage_(codePage), toBytes_(openConverter(iconvName(codePage), "UTF-16LE")),
      fromBytes_(openConverter("UTF-16LE", iconvName(codePage))) {}

QtCodePage::~QtCodePage() {
    iconv_close(iconv_t(toBytes_));
    iconv_close(iconv_t(fromBytes_));
}

std::string QtCodePage::fromUnicode(std::u16string_view text) const {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const bool pair = text[i] >= 0xD800 && text[i] < 0xDC00 && i + 1 < text.size() &&
                          text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000;
        char unit[4];
        for (size_t k = 0; k < (pair ? 2u : 1u); ++k) {
            unit[2 * k] = char(text[i + k] & 0xFF);
            unit[2 * k + 1] = char(text[i + k] >> 8);
        }
        if (!convertOne(iconv_t(toBytes_), unit, pair ? 4 : 2, out))
            out += '?';
        if (pair)
            ++i;
    }
    return out;
}

std::u16string QtCodePage::toUnicode(std::string_view bytes) const {
    if (codePage_ == kUtf8CodePage) {
        // A character takes several bytes: the text is read whole.
        const QString text = QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
        return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size()));
    }
    std::u16string out;
    out.reserve(bytes.size());
    for (char byte : bytes) {
        std::string wide;
        if (!convertOne(iconv_t(fromBytes_), &byte, 1, wide)) {
            out += u'?';
            continue;
        }
        for (size_t k = 0; k + 1 < wide.size(); k += 2)
            out += char16_t(uint8_t(wide[k]) | uint8_t(wide[k + 1]) << 8);
    }
    return out;
}

} // namespace vantoly::qt
