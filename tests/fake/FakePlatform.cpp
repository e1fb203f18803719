#include "fake/FakePlatform.h"

#include <algorithm>

#include "platform/Failure.h"
#include "platform/VersionInfoBlock.h"

namespace vantoly::fake {
namespace {

std::u16string folded(const std::u16string& path) {
    std::u16string out = path;
    for (char16_t& c : out)
        if (c >= u'A' && c <= u'Z')
            c = char16_t(c - u'A' + u'a');
    return out;
}

std::u16string parentOf(const std::u16string& path) {
    const auto slash = path.rfind(u'\\');
    return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
}

} // namespace

FakePlatform::FakePlatform()
    : platform_{*this, *this, *this, *this, *this, *this, *this, *this, *this, journal, rings} {
    clock = LocalDateTime{2026, 12, 7, 2, 9, 15, 0};
    monthNames = {u"January", u"February", u"March",     u"April",   u"May",      u"June",
                  u"July",    u"August",   u"September", u"October", u"November", u"December"};
    texts[Control::Option1_0] = u"Note 1";
    texts[Control::Option1_1] = u"Note 2";
    texts[Control::Option1_2] = u"Note 3";
    texts[Control::chkBlack] = u"&B";
    texts[Control::chkNote] = u"&N";
    texts[Control::Command1] = u"&Quit";
    texts[Control::Command2] = u"&OK";
    texts[Control::Command3] = u"&Clear";
    texts[Control::txtNote] = u"";
}

void FakePlatform::addDayIcons() {
    for (int day = 1; day <= 31; ++day) {
        const std::u16string name = u16(std::to_string(day)) + u".ico";
        files.insert(appDir + u"\\Black\\" + name);
        files.insert(appDir + u"\\White\\" + name);
    }
}

std::u16string FakePlatform::text(Control control) const {
    auto it = texts.find(control);
    return it == texts.end() ? std::u16string() : it->second;
}

uint64_t FakePlatform::textRevision(Control control) const {
    auto& [revision, seen] = seenTexts[control];
    if (text(control) != seen) {
        seen = text(control);
        ++revision;
    }
    return revision;
}

int16_t FakePlatform::value(Control control) const {
    auto it = values.find(control);
    return it == values.end() ? int16_t(0) : it->second;
}

void FakePlatform::setFocus(Control control) {
    if (!visible)
        throw PlatformFailure("invalid procedure call: the form is hidden");
    focusMoves.push_back(control);
}

int32_t FakePlatform::windowHandle(Control control) const {
    return control == Control::Picture1 ? kPicture1Handle : kPicture1Handle + 1 + int(control);
}

int32_t FakePlatform::formHandle() const {
    if (formHandleFails)
        throw PlatformFailure("the form has no window handle");
    return kFormHandle;
}

int32_t FakeWindow::hWnd() const {
    if (handleFails)
        throw PlatformFailure("the window has no handle");
    return handle;
}

bool FakePlatform::exists(const std::set<std::u16string>& set, const std::u16string& path) const {
    const std::u16string key = folded(path);
    return std::any_of(set.begin(), set.end(),
                       [&](const std::u16string& f) { return folded(f) == key; });
}

void FakePlatform::loadPicture(const std::u16string& path) {
    pictureOps.push_back({PictureOp::Load, path});
    if (!exists(files, path))
        throw PlatformFailure("file not found: " + u8(path));
    if (exists(corruptFiles, path))
        throw PlatformFailure("invalid picture: " + u8(path));
    // A picture saved earlier loads as the picture it was saved from.
    auto saved = savedPictures.find(path);
    loadedPicture = saved == savedPictures.end() ? path : saved->second;
    ++pictureHandleValue;
}

void FakePlatform::savePicture(const std::u16string& path) {
    pictureOps.push_back({PictureOp::Save, path});
    const std::u16string dir = parentOf(path);
    if (!directoryWritable(dir))
        throw PlatformFailure("permission denied: " + u8(path));
    files.insert(path);
    savedPictures[path] = loadedPicture;
}

bool FakePlatform::directoryWritable(const std::u16string& directory) const {
    return folded(directory) == folded(appDir) ? appDirWritable : true;
}

int FakePlatform::messageBox(const std::u16string& prompt, int style,
                             const std::u16string& caption) {
    boxes.push_back({prompt, style, caption, zorderCalls.size()});
    if (whileBoxOpen)
        whileBoxOpen();
    if (boxAnswers.empty())
        return vbOK;
    const int answer = boxAnswers.front();
    boxAnswers.erase(boxAnswers.begin());
    return answer;
}

std::u16string FakePlatform::inputBox(const std::u16string& prompt, const std::u16string& caption,
                                      const std::u16string& defaultText) {
    inputBoxes.push_back({prompt, caption, defaultText, zorderCalls.size()});
    if (whileBoxOpen)
        whileBoxOpen();
    if (inputAnswers.empty())
        return {};
    std::u16string answer = inputAnswers.front();
    inputAnswers.erase(inputAnswers.begin());
    return answer;
}

void FakePlatform::setFormGeometry(Edge edge, float twips) {
    const bool resized =
        (edge == Edge::Width || edge == Edge::Height) && geometry[int(edge)] != twips;
    geometry[int(edge)] = twips;
    if (resized && events)
        events->Form_Resize();
}

void FakePlatform::showForm() {
    if (showFails)
        throw PlatformFailure("the window cannot be shown");
    visible = true;
    typingElsewhere = false;
}

int32_t FakePlatform::Shell_NotifyIconA(uint32_t message, NotifyRecordBytes& record) {
    shellCalls.push_back({message, record, ReadNotifyFields(record)});
    return 1;
}

int32_t FakePlatform::GetFileVersionInfoSizeA(const std::string& file, uint32_t* handle) {
    ++versionSizeQueries;
    if (handle)
        *handle = 0;
    if (file != "shell32.dll" || !shellMajor)
        return 0;
    return int32_t(BuildVersionInfoBlock(*shellMajor, 0).size());
}

int32_t FakePlatform::GetFileVersionInfoA(const std::string& file, uint32_t, uint32_t size,
                                          uint8_t* buffer) {
    if (file != "shell32.dll" || !shellMajor)
        return 0;
    const auto block = BuildVersionInfoBlock(*shellMajor, 0);
    std::copy_n(block.begin(), std::min<size_t>(size, block.size()), buffer);
    return 1;
}

int32_t FakePlatform::VerQueryValueA(const uint8_t* block, const std::string& subBlock,
                                     const uint8_t** value, uint32_t* length) {
    if (versionQueryFails || subBlock != "\\")
        return 0;
    const uint8_t* fixed = FindFixedFileInfo(block);
    if (!fixed)
        return 0;
    *value = fixed;
    if (length)
        *length = 52;
    return 1;
}

std::optional<std::u16string> FakePlatform::read(const std::u16string&, const std::u16string&,
                                                 const std::u16string& key) {
    reads.push_back(key);
    auto it = store.find(key);
    if (it == store.end())
        return std::nullopt;
    return it->second;
}

void FakePlatform::write(const std::u16string&, const std::u16string&, const std::u16string& key,
                         const std::u16string& value) {
    writes.push_back({key, value});
    if (!settingsWritable)
        throw PlatformFailure("the settings file is read-only");
    store[key] = value;
}

std::optional<SettingsStore::Held> FakePlatform::readBack(const std::u16string&,
                                                          const std::u16string&,
                                                          const std::vector<std::u16string>& keys) {
    Held held;
    for (const auto& key : keys) {
        const auto it = store.find(key);
        held.push_back(fileEmptied || it == store.end() ? std::nullopt : std::optional(it->second));
    }
    return held;
}

std::string FakePlatform::fromUnicode(std::u16string_view text) const {
    std::string out;
    for (char16_t c : text)
        out += c <= 0xFF ? char(c) : '?';
    return out;
}

std::u16string FakePlatform::toUnicode(std::string_view bytes) const {
    std::u16string out;
    for (char c : bytes)
        out += char16_t(static_cast<unsigned char>(c));
    return out;
}

std::u16string u16(const std::string& utf8) {
    std::u16string out;
    for (size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        char32_t cp = c;
        size_t n = 1;
        if (c >= 0xF0) {
            cp = c & 0x07, n = 4;
        } else if (c >= 0xE0) {
            cp = c & 0x0F, n = 3;
        } else if (c >= 0xC0) {
            cp = c & 0x1F, n = 2;
        }
        for (size_t k = 1; k < n && i + k < utf8.size(); ++k)
            cp = cp << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += n;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += char16_t(0xD800 + (cp >> 10));
            out += char16_t(0xDC00 + (cp & 0x3FF));
        } else {
            out += char16_t(cp);
        }
    }
    return out;
}

std::string u8(const std::u16string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < text.size()) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        if (cp < 0x80) {
            out += char(cp);
        } else if (cp < 0x800) {
            out += char(0xC0 | cp >> 6);
            out += char(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += char(0xE0 | cp >> 12);
            out += char(0x80 | (cp >> 6 & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        } else {
            out += char(0xF0 | cp >> 18);
            out += char(0x80 | (cp >> 12 & 0x3F));
            out += char(0x80 | (cp >> 6 & 0x3F));
            out += char(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

} // namespace vantoly::fake
