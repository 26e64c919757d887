// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/about_window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include "ui/app/identity_texts.h"
#include "ui/app/splash_window.h"
#include "ui/shell/workspace.h"
#include "ui/style/identity_pictures.h"
#include "ui/style/shadowed_title.h"
#include "ui/style/fonts.h"
#include "ui/shell/twips.h"

namespace varnelio::ui {
namespace {

const QString kTimes = QStringLiteral("Times New Roman");
const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);
const QColor kGrey(128, 128, 128);

// The engraved rules: y in twips, from x 2280 to x 7320.
constexpr int kRuleLeft = 2280;
constexpr int kRuleRight = 7320;
constexpr int kRuleTops[] = {960, 1560};

QLabel* creditLabel(QWidget* panel, int index, const QString& text, const QRect& rect, const QColor& colour,
                    bool italic) {
  auto* label = new QLabel(text, panel);
  label->setObjectName(QStringLiteral("Label%1").arg(index));
  label->setGeometry(rect);
  label->setFont(makeFont(kTimes, 9.75, true, italic));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setTextColour(label, colour);
  return label;
}

}  // namespace

AboutWindow::AboutWindow(Workspace& workspace, std::unique_ptr<Registry> registry,
                         std::unique_ptr<ProgramStarter> starter)
    : QDialog(nullptr),
      workspace_(workspace),
      registry_(registry ? std::move(registry) : makeSystemRegistry()),
      starter_(starter ? std::move(starter) : makeSystemProgramStarter()) {
  setObjectName(WindowId::about().objectName());
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);
  // Fixed dialog border: a title and a close box, nothing to minimise or maximise.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setWindowTitle(kCaption);
  setWindowIcon(applicationIcon());
  setFixedSize(twipsSize(7770, 4380));
  setBackground(this, kLightYellow);

  buildIdentity();
  buildCredits();
  buildButtons();
}

AboutWindow::~AboutWindow() = default;

// The banner, the version line and the logo.
void AboutWindow::buildIdentity() {
  makeShadowedTitle(this, identity::kFamilyName + QStringLiteral(" - ") + identity::kProductName,
                    twipsRect(120, 120, 7575, 615), makeFont(kTimes, 21.75, true), QStringLiteral("Label1"),
                    QStringLiteral("Label2"));

  auto* lblVersion = new QLabel(identity::aboutVersionLine(), this);
  lblVersion->setObjectName(QStringLiteral("lblVersion"));
  lblVersion->setGeometry(twipsRect(3360, 1080, 2805, 375));
  lblVersion->setFont(makeFont(kTimes, 14.25, true, true));
  lblVersion->setAlignment(Qt::AlignCenter);
  lblVersion->setFrameStyle(QFrame::Box | QFrame::Plain);
  lblVersion->setLineWidth(1);
  setBackground(lblVersion, kPeach);
  setTextColour(lblVersion, kBlue);

  auto* logoPicture = new QLabel(this);
  logoPicture->setObjectName(QStringLiteral("imgLogo"));
  logoPicture->setGeometry(twipsRect(0, 960, 2295, 2655));
  logoPicture->setPixmap(QPixmap::fromImage(identityLogo()));
  logoPicture->setScaledContents(true);
}

// The peach "Crédits" frame and its lines.
void AboutWindow::buildCredits() {
  auto* creditsFrame = new QGroupBox(QStringLiteral("Crédits"), this);
  creditsFrame->setObjectName(QStringLiteral("Frame1"));
  creditsFrame->setGeometry(twipsRect(2280, 1680, 4815, 2175));
  creditsFrame->setFont(makeFont(kTimes, 9.75, true, true));
  setBackground(creditsFrame, kPeach);
  setTextColour(creditsFrame, kRed);

  // The labels `Label3` to `Label13`: a caption, then its value; the affiliation lines alone.
  const QColor black(0, 0, 0);
  const struct {
    QString text;
    QRect twips;
    QColor colour;
    bool italic;
  } credits[] = {
      {QStringLiteral("Responsable: "), {120, 360, 1095, 225}, black, false},
      {identity::kResponsible, {1320, 360, 1815, 225}, kRed, true},
      {QStringLiteral("Réalisation :"), {120, 600, 1215, 225}, black, false},
      {identity::kDeveloper, {1320, 600, 1455, 225}, kRed, true},
      {identity::kDepartment, {360, 840, 2895, 255}, kDarkBlue, false},
      {identity::kFaculty, {360, 1080, 2895, 225}, kDarkBlue, false},
      {identity::kUniversity, {360, 1320, 4335, 225}, kDarkBlue, false},
      {QStringLiteral("Courriel:"), {120, 1560, 975, 225}, black, false},
      {identity::kEmail, {1320, 1560, 1935, 225}, kRed, true},
      {QStringLiteral("Site:"), {120, 1800, 735, 225}, black, false},
      {identity::kWebSite, {600, 1800, 4095, 225}, kRed, true},
  };
  int index = 3;
  for (const auto& c : credits)
    creditLabel(creditsFrame, index++, c.text, twipsRect(c.twips.x(), c.twips.y(), c.twips.width(), c.twips.height()),
                c.colour, c.italic);
}

void AboutWindow::buildButtons() {
  okButton_ = new QPushButton(QStringLiteral("OK"), this);
  okButton_->setObjectName(QStringLiteral("cmdOK"));
  okButton_->setGeometry(twipsRect(3000, 3960, 1260, 345));
  okButton_->setDefault(true);
  connect(okButton_, &QPushButton::clicked, this, [this] { onOk(); });

  systemInfoButton_ = new QPushButton(QStringLiteral("&Infos système..."), this);
  systemInfoButton_->setObjectName(QStringLiteral("cmdSysInfo"));
  systemInfoButton_->setGeometry(twipsRect(4680, 3960, 1245, 345));
  connect(systemInfoButton_, &QPushButton::clicked, this, [this] { onSystemInfo(); });

  // The buttons are narrow: MS Sans Serif (or its narrow stand-in) fits their
  // captions where the wider default sans-serif font would clip "Infos système...".
  for (QPushButton* button : {okButton_, systemInfoButton_}) button->setFont(msSansSerif());
  setTabOrder(okButton_, systemInfoButton_);
  okButton_->setFocus();
}

void AboutWindow::startSystemInfo() {
  ::varnelio::ui::startSystemInfo(*registry_, *starter_, workspace_.prompts(), this);
}

void AboutWindow::done(int result) {
  setResult(result);
  close();
}

void AboutWindow::closeEvent(QCloseEvent* event) {
  // Closing needs no question; QDialog's own handler would turn it into reject().
  event->accept();
}

void AboutWindow::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter p(this);
  const int left = twipsToPixelsX(kRuleLeft);
  const int right = twipsToPixelsX(kRuleRight);
  for (int top : kRuleTops) {
    const int y = twipsToPixelsY(top);
    // A white line two pixels wide, and over it a grey one pixel wide: a groove.
    p.fillRect(QRect(QPoint(left, y), QPoint(right, y + 1)), Qt::white);
    p.fillRect(QRect(QPoint(left, y), QPoint(right, y)), kGrey);
  }
}

void registerShellWindows(Workspace& workspace) {
  workspace.registerFactory(WindowId::about(),
                            [](Workspace& ws) -> QWidget* { return new AboutWindow(ws); });
  workspace.registerFactory(WindowId::splash(),
                            [](Workspace& ws) -> QWidget* { return new SplashWindow(ws); });
}

}  // namespace varnelio::ui
