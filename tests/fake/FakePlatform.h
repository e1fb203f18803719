#pragma once
// An in-memory platform for tests. Implements every port, records every call that matters and
// lets a test set the clock, the locale, the shell version, the files on disk, whether the
// application directory is writable, and whether another instance runs.
//
// File names compare without regard to case, as on the platform the program was designed for.
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/FormEvents.h"
#include "platform/Platform.h"
#include "platform/StateFile.h"

namespace vantoly::fake {

struct ShellCall {
    uint32_t message;
    NotifyRecordBytes bytes;   // as the platform received them
    NotifyRecordFields fields; // the same, by name
};

struct SettingsWrite {
    std::u16string key;
    std::u16string value;
};

struct PictureOp {
    enum Kind { Load, Save } kind;
    std::u16string path;
};

struct ZOrderCall {
    int32_t hWnd;
    int32_t insertAfter;
    int32_t x, y, cx, cy;
    uint32_t flags;
};

struct SoundCall {
    std::u16string path;
    uint32_t flags;
};

struct Selection {
    Control control;
    int32_t start, length;
};

// A window of its own for SetOnTop, with a handle that can be made unreadable.
struct FakeWindow : FormWindow {
    explicit FakeWindow(int32_t handle) : handle(handle) {}
    int32_t hWnd() const override;
    int32_t handle;
    bool handleFails = false;
};

struct MessageBoxCall {
    std::u16string prompt;
    int style;
    std::u16string caption;
    size_t zorderCallsBefore; // how many z-order calls were made before the box opened
};

struct InputBoxCall {
    std::u16string prompt;
    std::u16string caption;
    std::u16string defaultText;
    size_t zorderCallsBefore;
};

// The recovery journal's file, in memory.
struct FakeStateFile : StateFile {
    std::optional<std::string> bytes;
    bool full = false; // no write succeeds
    std::optional<std::string> read() override { return bytes; }
    std::optional<std::string> replace(const std::vector<std::string_view>& parts) override {
        if (full)
            return "no space left on the disk";
        bytes.emplace();
        for (const std::string_view part : parts)
            bytes->append(part);
        return std::nullopt;
    }
    void remove() override { bytes.reset(); }
};

class FakePlatform : public Toolkit,
                     public ShellTray,
                     public FileVersion,
                     public SettingsStore,
                     public ClockLocale,
                     public CodePage,
                     public Host,
                     public Sound,
                     public ZOrder {
  public:
    FakePlatform();
    Platform& platform() { return platform_; }
    FakeStateFile rings;
    FakeStateFile journal;

    // ---- what a test sets
    LocalDateTime clock;
    std::u16string decimal = u".";
    std::vector<std::u16string> monthNames;
    std::optional<uint16_t> shellMajor = 6; // nothing: the file has no version information
    bool versionQueryFails = false;
    std::set<std::u16string> files;        // files that exist (and load as pictures)
    std::set<std::u16string> corruptFiles; // exist, but are not pictures
    std::u16string appDir = u"C:\\Vantoly";
    std::u16string cacheDir = u"C:\\Users\\me\\cache\\Vantoly";
    bool appDirWritable = true;
    bool otherInstance = false;
    bool settingsWritable = true;
    // Writes report success, but the file behind the store holds nothing (a save that renamed an
    // empty file into place): what readBack sees.
    bool fileEmptied = false;
    std::map<std::u16string, std::u16string> store; // key -> value, section "Settings"
    // What the program asked to be called when someone else changes the store.
    std::function<void()> storeChanged;
    void addDayIcons(); // Black\1..31.ico and White\1..31.ico
    // The answers the input box gives, in turn; the empty text is a cancel. Without one left the
    // box is cancelled.
    std::vector<std::u16string> inputAnswers;
    // What the message box answers, in turn; without one left it answers OK.
    std::vector<int> boxAnswers;
    // Runs while a message or input box is open, as the events a modal box lets through.
    std::function<void()> whileBoxOpen;
    bool showFails = false;
    // Receives Form_Resize after every change of the form's size, as the window system would.
    FormEvents* events = nullptr;

    // ---- what a test reads
    std::vector<ShellCall> shellCalls;
    std::vector<SettingsWrite> writes;
    std::vector<std::u16string> reads;
    std::vector<PictureOp> pictureOps;
    std::vector<MessageBoxCall> boxes;
    std::vector<InputBoxCall> inputBoxes;
    std::vector<std::string> problems;
    std::vector<Control> focusMoves;
    std::vector<ZOrderCall> zorderCalls;
    std::vector<SoundCall> sounds;
    std::vector<Selection> selections;
    bool formHandleFails = false;
    static constexpr int32_t kFormHandle = 1312;
    std::optional<int> endedWith;
    int activations = 0;
    int versionSizeQueries = 0;
    bool commonControlsInitialised = false;
    std::map<std::u16string, std::u16string> savedPictures; // path -> path it was loaded from

    bool visible = true;
    bool typingElsewhere = false; // another program has the keyboard
    int quietShows = 0;
    float geometry[4] = {0, 0, 5790, 5400};           // Left, Top, Width, Height
    std::map<std::pair<Control, Edge>, float> placed; // control geometry set at run time
    std::map<Control, std::u16string> texts;
    // What textRevision last saw of each text, since tests write texts directly.
    mutable std::map<Control, std::pair<uint64_t, std::u16string>> seenTexts;
    std::map<Control, int16_t> values;
    bool timers[3] = {true, false, false};
    std::u16string loadedPicture;
    int32_t pictureHandleValue = 0;
    static constexpr int32_t kPicture1Handle = 0x2A0;

    // ---- Toolkit
    void InitCommonControls() override { commonControlsInitialised = true; }
    float formGeometry(Edge edge) const override { return geometry[int(edge)]; }
    void setFormGeometry(Edge edge, float twips) override;
    bool formVisible() const override { return visible; }
    void showForm() override;
    void hideForm() override { visible = false; }
    bool keyboardElsewhere() const override { return typingElsewhere; }
    void showFormQuietly() override {
        ++quietShows;
        if (showFails)
            throw PlatformFailure("the window cannot be shown");
        visible = true;
    }
    void setControlGeometry(Control control, Edge edge, float twips) override {
        placed[{control, edge}] = twips;
    }
    std::u16string text(Control control) const override;
    void setText(Control control, std::u16string text) override {
        texts[control] = std::move(text);
    }
    uint64_t textRevision(Control control) const override;
    int16_t value(Control control) const override;
    void setValue(Control control, int16_t value) override { values[control] = value; }
    void setFocus(Control control) override;
    int32_t windowHandle(Control control) const override;
    int32_t formHandle() const override;
    void setSelection(Control control, int32_t start, int32_t length) override {
        selections.push_back({control, start, length});
    }
    int32_t caret() const override { return selections.empty() ? 0 : selections.back().start; }
    bool timerEnabled(Timer timer) const override { return timers[int(timer)]; }
    void setTimerEnabled(Timer timer, bool enabled) override { timers[int(timer)] = enabled; }
    void loadPicture(const std::u16string& path) override;
    int32_t pictureHandle() const override { return pictureHandleValue; }
    void savePicture(const std::u16string& path) override;
    int messageBox(const std::u16string& prompt, int style, const std::u16string& caption) override;
    std::u16string inputBox(const std::u16string& prompt, const std::u16string& caption,
                            const std::u16string& defaultText) override;
    float twipsPerPixelX() const override { return 15; }

    // ---- ShellTray
    int32_t Shell_NotifyIconA(uint32_t message, NotifyRecordBytes& record) override;

    // ---- FileVersion
    int32_t GetFileVersionInfoSizeA(const std::string& file, uint32_t* handle) override;
    int32_t GetFileVersionInfoA(const std::string& file, uint32_t handle, uint32_t size,
                                uint8_t* buffer) override;
    int32_t VerQueryValueA(const uint8_t* block, const std::string& subBlock, const uint8_t** value,
                           uint32_t* length) override;

    // ---- SettingsStore
    std::optional<std::u16string> read(const std::u16string& app, const std::u16string& section,
                                       const std::u16string& key) override;
    void write(const std::u16string& app, const std::u16string& section, const std::u16string& key,
               const std::u16string& value) override;
    void watch(std::function<void()> changed) override { storeChanged = std::move(changed); }
    std::optional<Held> readBack(const std::u16string& app, const std::u16string& section,
                                 const std::vector<std::u16string>& keys) override;

    // ---- ClockLocale
    LocalDateTime now() const override { return clock; }
    std::u16string monthName(int month) const override { return monthNames.at(size_t(month - 1)); }
    std::u16string decimalSeparator() const override { return decimal; }

    // ---- CodePage: Latin-1; everything else becomes "?"
    std::string fromUnicode(std::u16string_view text) const override;
    std::u16string toUnicode(std::string_view bytes) const override;

    // ---- Host
    bool anotherInstanceRunning() override { return otherInstance; }
    void activateRunningInstance() override { ++activations; }
    void endProcess(int exitCode) override { endedWith = exitCode; }
    std::u16string applicationDirectory() const override { return appDir; }
    bool directoryWritable(const std::u16string& directory) const override;
    std::u16string cacheDirectory() const override { return cacheDir; }
    void reportProblem(const std::string& message) override { problems.push_back(message); }

    // ---- Sound
    int32_t sndPlaySoundA(const std::u16string& path, uint32_t flags) override {
        sounds.push_back({path, flags});
        return 1;
    }

    // ---- ZOrder
    int32_t SetWindowPos(int32_t hWnd, int32_t insertAfter, int32_t x, int32_t y, int32_t cx,
                         int32_t cy, uint32_t flags) override {
        zorderCalls.push_back({hWnd, insertAfter, x, y, cx, cy, flags});
        return 1;
    }

  private:
    bool exists(const std::set<std::u16string>& set, const std::u16string& path) const;
    Platform platform_;
};

// The UTF-16 text of a UTF-8 literal, for readable test expectations.
std::u16string u16(const std::string& utf8);
std::string u8(const std::u16string& text);

} // namespace vantoly::fake
