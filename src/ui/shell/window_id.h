// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which window of the program: the main window, the splash and about windows, the
// two dictionaries, and the paradigm and analysis windows of each kind and family.
// Windows are registered and opened by this id; the object name each bears (what
// tests find and the look is traced by) follows from it in one place.
#include <QHashFunctions>
#include <QString>
#include <cstdint>
#include <optional>

#include "core/analysis/analysis_kind.h"

namespace varnelio::ui {

struct WindowId {
  enum class Role : std::uint8_t { Main, Splash, About, LemmaDictionary, FormDictionary, Paradigm, Analysis };
  Role role = Role::Main;
  KindId kind = KindId::NomSg;  // of a paradigm or analysis window
  Family family = Family::New;

  static constexpr WindowId main() { return {Role::Main}; }
  static constexpr WindowId splash() { return {Role::Splash}; }
  static constexpr WindowId about() { return {Role::About}; }
  static constexpr WindowId lemmaDictionary() { return {Role::LemmaDictionary}; }
  static constexpr WindowId formDictionary() { return {Role::FormDictionary}; }
  static constexpr WindowId paradigm(KindId kind, Family family) { return {Role::Paradigm, kind, family}; }
  static constexpr WindowId analysis(KindId kind, Family family) { return {Role::Analysis, kind, family}; }

  // The window's object name: "Menu", "frmAbout", "frmacc_singulier_modif"...
  QString objectName() const;
  // The id of the window that bears the object name, if any (tests name windows so).
  static std::optional<WindowId> named(QStringView objectName);

  bool operator==(const WindowId& other) const {
    const bool kinded = role == Role::Paradigm || role == Role::Analysis;
    return role == other.role && (!kinded || (kind == other.kind && family == other.family));
  }
};

inline size_t qHash(const WindowId& id, size_t seed = 0) {
  return qHashMulti(seed, static_cast<int>(id.role), static_cast<int>(id.kind), static_cast<int>(id.family));
}

}  // namespace varnelio::ui
