// SPDX-License-Identifier: GPL-3.0-or-later
#include <QMap>
#include <QStringList>
#include <gtest/gtest.h>

#include "ui/app/system_info.h"
#include "ui/shell/prompts.h"

namespace varnelio::ui {
namespace {

QByteArray bytes(std::initializer_list<int> values) {
  QByteArray b;
  for (int v : values) b.append(static_cast<char>(v));
  return b;
}

// A registry of keys and values given by the test, which records how it is used.
class FakeRegistry final : public Registry {
 public:
  QMap<QString, QMap<QString, RegistryData>> keys;
  QStringList opened;
  int openedOk = 0;
  int closed = 0;
  std::uint32_t lastAccess = 0;
  int lastBufferSize = 0;

  std::optional<Key> openKey(RegistryRoot root, const QString& path, std::uint32_t access) override {
    EXPECT_EQ(root, RegistryRoot::LocalMachine);
    lastAccess = access;
    opened << path;
    if (!keys.contains(path)) return std::nullopt;
    ++openedOk;
    return static_cast<Key>(opened.size());
  }
  std::optional<RegistryData> queryValue(Key key, const QString& valueName, int bufferSize) override {
    lastBufferSize = bufferSize;
    const auto& values = keys[opened.at(static_cast<qsizetype>(key) - 1)];
    if (!values.contains(valueName)) return std::nullopt;
    return values.value(valueName);
  }
  void closeKey(Key) override { ++closed; }
};

class FakeStarter final : public ProgramStarter {
 public:
  QStringList existing;
  bool startFails = false;
  QStringList checked;
  QStringList started;

  bool fileExists(const QString& path) override {
    checked << path;
    return existing.contains(path);
  }
  bool start(const QString& path) override {
    if (startFails) return false;
    started << path;
    return true;
  }
};

RegistryData stringValue(const QByteArray& text) { return {kRegistryString, text + QByteArray(1, '\0')}; }

TEST(SystemInfo, DoubleWordsShowTheirBytesFromLastToFirstWithoutLeadingZeros) {
  const struct {
    QByteArray in;
    QString out;
  } cases[] = {
      {bytes({0x0F, 0x1A}), QStringLiteral("&h1AF")},
      {bytes({0x00, 0x01, 0x00, 0x00}), QStringLiteral("&h0010")},
      {bytes({0xFF, 0xFF, 0xFF, 0xFF}), QStringLiteral("&hFFFFFFFF")},
      {bytes({0x05}), QStringLiteral("&h5")},
      {QByteArray(), QStringLiteral("&h")},
  };
  for (const auto& c : cases) EXPECT_EQ(formatDoubleWord(c.in), c.out) << c.in.toHex().constData();
}

TEST(SystemInfo, GetKeyValueReadsStringsDoubleWordsAndLeavesOtherTypesAlone) {
  const struct {
    RegistryData data;
    QString callerText;
    QString expected;
  } cases[] = {
      // The terminating zero of a string is dropped, and only that one.
      {stringValue("C:\\Outils\\msinfo32.exe"), {}, QStringLiteral("C:\\Outils\\msinfo32.exe")},
      {{kRegistryString, bytes({'a', 'b'})}, {}, QStringLiteral("ab")},
      {{kRegistryString, bytes({'a', 0, 0})}, {}, QString(QStringLiteral("a")) + QChar(0)},
      {{kRegistryString, bytes({'C', ':', '\\', 0xC9, 't', 0})}, {}, QStringLiteral("C:\\Ét")},
      // A double word whose last byte is zero loses it first, as any value does.
      {{kRegistryDoubleWord, bytes({0x10, 0x00, 0x00, 0x01})}, {}, QStringLiteral("&h10010")},
      {{kRegistryDoubleWord, bytes({0x2A, 0x00, 0x00, 0x00})}, {}, QStringLiteral("&h002A")},
      {{3, bytes({1, 2, 3})}, QStringLiteral("inchangé"), QStringLiteral("inchangé")},
  };
  for (const auto& c : cases) {
    FakeRegistry registry;
    registry.keys[QStringLiteral("K")][QStringLiteral("V")] = c.data;
    QString text = c.callerText;
    EXPECT_TRUE(GetKeyValue(registry, RegistryRoot::LocalMachine, QStringLiteral("K"), QStringLiteral("V"), text));
    EXPECT_EQ(text, c.expected);
    EXPECT_EQ(registry.closed, 1);
    EXPECT_EQ(registry.lastAccess, 0x2003Fu);
    EXPECT_EQ(registry.lastBufferSize, 1024);
  }
}

TEST(SystemInfo, GetKeyValueFailsWithAnEmptyTextAndClosesAnOpenedKey) {
  FakeRegistry registry;
  registry.keys[QStringLiteral("K")][QStringLiteral("V")] = stringValue("x");
  QString text = QStringLiteral("avant");
  EXPECT_FALSE(GetKeyValue(registry, RegistryRoot::LocalMachine, QStringLiteral("absent"), QStringLiteral("V"), text));
  EXPECT_TRUE(text.isEmpty());
  EXPECT_EQ(registry.closed, 0);  // nothing was opened

  text = QStringLiteral("avant");
  EXPECT_FALSE(GetKeyValue(registry, RegistryRoot::LocalMachine, QStringLiteral("K"), QStringLiteral("W"), text));
  EXPECT_TRUE(text.isEmpty());
  EXPECT_EQ(registry.closed, 1);
}

TEST(SystemInfo, StartSysInfoStartsTheProgramOrTellsItIsUnavailable) {
  const QString first = QStringLiteral("C:\\Program Files\\Common Files\\MSINFO\\msinfo32.exe");
  const QString folder = QStringLiteral("C:\\Outils");
  const QString fromFolder = folder + QStringLiteral("\\MSINFO32.EXE");
  const struct {
    const char* name;
    bool hasFirst;
    bool hasSecond;
    bool programInFolder;
    bool startFails;
    QString started;  // empty: the message is shown
    QStringList checked;
  } cases[] = {
      {"first value, started without any existence check", true, true, false, false, first, {}},
      {"second value naming a folder with the program", false, true, true, false, fromFolder, {fromFolder}},
      {"second value naming a folder without the program", false, true, false, false, {}, {fromFolder}},
      {"no value at all", false, false, false, false, {}, {}},
      {"a program that cannot be started", true, false, false, true, {}, {}},
      {"second program that cannot be started", false, true, true, true, {}, {fromFolder}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeRegistry registry;
    if (c.hasFirst) registry.keys[kMsinfoKey][kMsinfoValue] = stringValue(first.toLatin1());
    if (c.hasSecond) registry.keys[kSharedToolsKey][kSharedToolsValue] = stringValue(folder.toLatin1());
    FakeStarter starter;
    if (c.programInFolder) starter.existing << fromFolder;
    starter.startFails = c.startFails;
    ScriptedPrompts prompts;

    startSystemInfo(registry, starter, prompts, nullptr);

    EXPECT_EQ(starter.checked, c.checked);
    if (c.started.isEmpty()) {
      EXPECT_TRUE(starter.started.isEmpty());
      ASSERT_EQ(prompts.shown.size(), 1u);
      EXPECT_EQ(prompts.shown[0].kind, ScriptedPrompts::Shown::Kind::Message);
      EXPECT_EQ(prompts.shown[0].text, QStringLiteral("Les informations système ne sont pas disponibles actuellement"));
      EXPECT_EQ(prompts.shown[0].title, QStringLiteral("Varnelio"));
      EXPECT_EQ(prompts.shown[0].icon, MessageIcon::None);
    } else {
      EXPECT_EQ(starter.started, QStringList{c.started});
      EXPECT_TRUE(prompts.shown.empty());
    }
    EXPECT_EQ(registry.closed, registry.openedOk);  // every opened key is closed again
  }
}

TEST(SystemInfo, WithoutAWindowsRegistryNoKeyOpens) {
#ifdef _WIN32
  GTEST_SKIP() << "the real registry";
#else
  auto registry = makeSystemRegistry();
  QString text = QStringLiteral("x");
  EXPECT_FALSE(GetKeyValue(*registry, RegistryRoot::LocalMachine, kMsinfoKey, kMsinfoValue, text));
  EXPECT_TRUE(text.isEmpty());
#endif
}

}  // namespace
}  // namespace varnelio::ui
