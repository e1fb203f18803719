#pragma once
// Qt adapter: Picture1's picture table. An icon file loaded becomes the current picture under a
// new handle (the previous one is released), is saved as the very bytes it was loaded from, and
// is handed to the tray by its handle.
#include <QByteArray>
#include <QIcon>
#include <cstdint>
#include <optional>
#include <string>

namespace vantoly::qt {

class QtPictures {
  public:
    // Fails (PlatformFailure) when the file is missing, unreadable or not a picture.
    void load(const std::u16string& path);
    int32_t handle() const { return handle_; }
    void save(const std::u16string& path) const;
    // The picture behind a handle from handle(); nothing when it was released.
    std::optional<QIcon> icon(int32_t handle) const;

  private:
    int32_t handle_ = 0;
    QIcon picture_;
    QByteArray bytes_;
};

} // namespace vantoly::qt
