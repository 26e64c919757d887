// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The about window's "Infos système..." button: it looks up where the system
// information program lives in the registry and starts it. The registry and the
// starting of programs sit behind small interfaces: on Windows the real registry
// (advapi32) and the real program start; elsewhere a registry without any key, so
// that the button ends in its message; in tests, fakes.
#include "ui/app/layer.h"
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

class QWidget;

namespace varnelio::ui {

class Prompts;

// The root keys the program reads under.
enum class RegistryRoot { LocalMachine };

// The access mask the keys are opened with (KEY_ALL_ACCESS).
inline constexpr std::uint32_t kRegistryKeyAccess = 0x2003F;
// The size of the buffer a value is read into.
inline constexpr int kRegistryValueBufferSize = 1024;

// Registry value types the program knows.
inline constexpr std::uint32_t kRegistryString = 1;     // REG_SZ
inline constexpr std::uint32_t kRegistryDoubleWord = 4;  // REG_DWORD

struct RegistryData {
  std::uint32_t type = 0;
  QByteArray bytes;  // the bytes the query returned, as returned
};

class Registry {
 public:
  using Key = std::uintptr_t;
  virtual ~Registry() = default;
  virtual std::optional<Key> openKey(RegistryRoot root, const QString& path, std::uint32_t access) = 0;
  // Reads a value into a buffer of bufferSize bytes; nothing if it fails (also when
  // the value does not fit).
  virtual std::optional<RegistryData> queryValue(Key key, const QString& valueName, int bufferSize) = 0;
  virtual void closeKey(Key key) = 0;
};

class ProgramStarter {
 public:
  virtual ~ProgramStarter() = default;
  virtual bool fileExists(const QString& path) = 0;
  // Starts the program with a normal, focused window; false if it cannot be started.
  virtual bool start(const QString& path) = 0;
};

// The registry of this system: the real one on Windows, an empty one elsewhere.
std::unique_ptr<Registry> makeSystemRegistry();
// Starts programs on this system.
std::unique_ptr<ProgramStarter> makeSystemProgramStarter();

// A string value as the registry returns it: the bytes without their last byte
// when that one is a zero byte.
QByteArray withoutTrailingZero(const QByteArray& bytes);
// The text of a double-word value: "&h" followed by the hexadecimal digits of its
// bytes from the last to the first, each byte without leading zero ("&h1A0F").
QString formatDoubleWord(const QByteArray& bytes);

// Reads a value as text. On success the text is the string value, the formatted
// double word, or, for any other type, what the caller passed in; on failure the
// text is empty. The key is closed in both cases once it was opened.
bool GetKeyValue(Registry& registry, RegistryRoot root, const QString& keyPath, const QString& valueName,
                 QString& text);

// Where the two registry values looked up by startSystemInfo live.
inline const QString kMsinfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
inline const QString kMsinfoValue = QStringLiteral("PATH");
inline const QString kSharedToolsKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
inline const QString kSharedToolsValue = QStringLiteral("MSINFO");
inline const QString kSysInfoUnavailable =
    QStringLiteral("Les informations système ne sont pas disponibles actuellement");

// Starts the system information program, or tells the user it is not available.
void startSystemInfo(Registry& registry, ProgramStarter& starter, Prompts& prompts, QWidget* parent);

}  // namespace varnelio::ui
