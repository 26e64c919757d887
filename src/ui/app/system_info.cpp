// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/system_info.h"

#include <QFileInfo>
#include <QProcess>
#include <string_view>

#include "ui/shell/codec.h"
#include "ui/shell/prompts.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace varnelio::ui {
namespace {

#ifdef _WIN32
// The registry of Windows, read through the ANSI functions of advapi32.
class WindowsRegistry final : public Registry {
 public:
  std::optional<Key> openKey(RegistryRoot root, const QString& path, std::uint32_t access) override {
    HKEY base = HKEY_LOCAL_MACHINE;
    switch (root) {
      case RegistryRoot::LocalMachine:
        base = HKEY_LOCAL_MACHINE;
        break;
    }
    const QByteArray name = path.toLocal8Bit();
    HKEY key = nullptr;
    if (RegOpenKeyExA(base, name.constData(), 0, static_cast<REGSAM>(access), &key) != ERROR_SUCCESS)
      return std::nullopt;
    return reinterpret_cast<Key>(key);
  }

  std::optional<RegistryData> queryValue(Key key, const QString& valueName, int bufferSize) override {
    const QByteArray name = valueName.toLocal8Bit();
    QByteArray buffer(bufferSize, '\0');
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(bufferSize);
    if (RegQueryValueExA(reinterpret_cast<HKEY>(key), name.constData(), nullptr, &type,
                         reinterpret_cast<LPBYTE>(buffer.data()), &size) != ERROR_SUCCESS)
      return std::nullopt;
    buffer.truncate(static_cast<qsizetype>(size));
    return RegistryData{static_cast<std::uint32_t>(type), buffer};
  }

  void closeKey(Key key) override { RegCloseKey(reinterpret_cast<HKEY>(key)); }
};
#endif

// A system without a registry: no key can be opened.
class EmptyRegistry final : public Registry {
 public:
  std::optional<Key> openKey(RegistryRoot, const QString&, std::uint32_t) override { return std::nullopt; }
  std::optional<RegistryData> queryValue(Key, const QString&, int) override { return std::nullopt; }
  void closeKey(Key) override {}
};

class SystemProgramStarter final : public ProgramStarter {
 public:
  bool fileExists(const QString& path) override { return QFileInfo(path).isFile(); }
  bool start(const QString& path) override { return QProcess::startDetached(path, {}); }
};

}  // namespace

std::unique_ptr<Registry> makeSystemRegistry() {
#ifdef _WIN32
  return std::make_unique<WindowsRegistry>();
#else
  return std::make_unique<EmptyRegistry>();
#endif
}

std::unique_ptr<ProgramStarter> makeSystemProgramStarter() { return std::make_unique<SystemProgramStarter>(); }

QByteArray withoutTrailingZero(const QByteArray& bytes) {
  if (!bytes.isEmpty() && bytes.back() == '\0') return bytes.left(bytes.size() - 1);
  return bytes;
}

QString formatDoubleWord(const QByteArray& bytes) {
  QString text = QStringLiteral("&h");
  for (qsizetype i = bytes.size(); i-- > 0;)
    text += QString::number(static_cast<unsigned char>(bytes.at(i)), 16).toUpper();
  return text;
}

bool GetKeyValue(Registry& registry, RegistryRoot root, const QString& keyPath, const QString& valueName,
                 QString& text) {
  const std::optional<Registry::Key> key = registry.openKey(root, keyPath, kRegistryKeyAccess);
  if (!key) {
    text.clear();
    return false;
  }
  const std::optional<RegistryData> data = registry.queryValue(*key, valueName, kRegistryValueBufferSize);
  if (!data) {
    text.clear();
    registry.closeKey(*key);
    return false;
  }
  const QByteArray bytes = withoutTrailingZero(data->bytes);
  switch (data->type) {
    case kRegistryString:
      text = toQString(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
      break;
    case kRegistryDoubleWord:
      text = formatDoubleWord(bytes);
      break;
    default:
      break;  // any other type leaves the caller's text alone
  }
  registry.closeKey(*key);
  return true;
}

void startSystemInfo(Registry& registry, ProgramStarter& starter, Prompts& prompts, QWidget* parent) {
  QString path;
  bool found = GetKeyValue(registry, RegistryRoot::LocalMachine, kMsinfoKey, kMsinfoValue, path);
  if (!found) {
    // The older place names only the folder of the program, which may be gone.
    QString folder;
    if (GetKeyValue(registry, RegistryRoot::LocalMachine, kSharedToolsKey, kSharedToolsValue, folder)) {
      path = folder + QStringLiteral("\\MSINFO32.EXE");
      found = starter.fileExists(path);
    }
  }
  if (found && !path.isEmpty() && starter.start(path)) return;
  prompts.inform(parent, kSysInfoUnavailable, kApplicationTitle, MessageIcon::None);
}

}  // namespace varnelio::ui
