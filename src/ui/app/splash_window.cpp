// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/splash_window.h"
#include "ui/app/recovery_offer.h"

#include <QCoreApplication>
#include <QTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>

#include "ui/app/identity_texts.h"
#include "ui/shell/workspace.h"
#include "ui/style/identity_pictures.h"
#include "ui/style/shadowed_title.h"
#include "ui/shell/twips.h"

namespace varnelio::ui {
namespace {

constexpr int kBorder = 2;  // the fixed dialog border around the client area
const QString kTimes = QStringLiteral("Times New Roman");

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, const QRect& rect, const QFont& font,
                  const QColor& textColour, Qt::Alignment alignment) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setGeometry(rect);
  label->setFont(font);
  label->setAlignment(alignment);
  setTextColour(label, textColour);
  return label;
}

QLabel* makePicture(QWidget* parent, const QString& name, const QImage& image, const QRect& rect) {
  auto* picture = new QLabel(parent);
  picture->setObjectName(name);
  picture->setGeometry(rect);
  picture->setPixmap(QPixmap::fromImage(image));
  picture->setScaledContents(true);  // stretched to the rectangle
  return picture;
}

}  // namespace

SplashWindow::SplashWindow(Workspace& workspace, int delayMs) : workspace_(workspace) {
  setObjectName(QStringLiteral("frmSplash"));
  setAttribute(Qt::WA_DeleteOnClose);
  // No title bar, no buttons, no task-bar entry; a raised dialog border of our own.
  setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
  setFrameStyle(QFrame::WinPanel | QFrame::Raised);
  setLineWidth(kBorder);
  const QSize clientSize = twipsSize(7275, 4110);
  setFixedSize(clientSize + QSize(2 * kBorder, 2 * kBorder));

  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("clientArea"));
  client_->setGeometry(QRect(QPoint(kBorder, kBorder), clientSize));
  setBackground(client_, kLightYellow);
  setBackground(this, kLightYellow);

  panel_ = new QFrame(client_);
  panel_->setObjectName(QStringLiteral("Frame1"));
  panel_->setGeometry(twipsRect(120, 0, 7080, 4050));
  panel_->setFrameStyle(QFrame::Box | QFrame::Sunken);  // an etched, caption-less frame
  setBackground(panel_, kLightYellow);

  buildPanel();

  // The panel, the pictures and the title labels hand off when clicked.
  reacting_.insert(panel_);
  panel_->installEventFilter(this);
  for (QWidget* child : panel_->findChildren<QWidget*>()) child->installEventFilter(this);

  // Nothing takes the keyboard focus: every key goes to the window itself.
  for (QWidget* child : findChildren<QWidget*>()) child->setFocusPolicy(Qt::NoFocus);
  setFocusPolicy(Qt::StrongFocus);

  delay_.setObjectName(QStringLiteral("Timer1"));
  delay_.setSingleShot(true);
  delay_.setInterval(delayMs);
  connect(&delay_, &QTimer::timeout, this, &SplashWindow::onDelayOver);
}

// The titles, the version band, the lines of text and the two pictures inside
// panel_; the ones a click hands off with go into reacting_.
void SplashWindow::buildPanel() {
  const QColor black(0, 0, 0);
  const ShadowedTitle family =
      makeShadowedTitle(panel_, identity::kFamilyName.toUpper(), twipsRect(510, 240, 6255, 615),
                        makeFont(kTimes, 21.75, true), QStringLiteral("Label1"), QStringLiteral("Label5"), black);
  const ShadowedTitle product =
      makeShadowedTitle(panel_, identity::kProductName, twipsRect(2280, 1200, 3975, 735),
                        makeFont(kTimes, 27.75, true), QStringLiteral("Label6"), QStringLiteral("Label8"), black);

  auto* versionBand = new QLabel(panel_);
  versionBand->setObjectName(QStringLiteral("Label7"));
  versionBand->setGeometry(twipsRect(3360, 2640, 1935, 375));
  setBackground(versionBand, kBandBlue);
  QLabel* versionLabel =
      makeLabel(panel_, QStringLiteral("Label2"), identity::splashVersionLine(), twipsRect(3360, 2640, 1935, 375),
                makeFont(kTimes, 18, true), Qt::white, Qt::AlignCenter);

  QLabel* systemLabel =
      makeLabel(panel_, QStringLiteral("Label3"), identity::kSystemLine, twipsRect(1800, 3240, 3735, 375),
                makeFont(kTimes, 12, true, true), QColor(255, 0, 0), Qt::AlignRight | Qt::AlignTop);
  QLabel* makerLabel =
      makeLabel(panel_, QStringLiteral("Label4"), identity::kMakerLine, twipsRect(120, 3600, 6855, 255),
                makeFont(kTimes, 9.75, true), Qt::white, Qt::AlignHCenter | Qt::AlignTop);
  setBackground(makerLabel, QColor(0, 0, 255));

  QLabel* logoPicture = makePicture(panel_, QStringLiteral("imgLogo"), identityLogo(), twipsRect(0, 840, 2295, 2655));
  QLabel* emblemPicture =
      makePicture(panel_, QStringLiteral("Image1"), identityEmblem(), twipsRect(6240, 2160, 780, 1380));

  // The date line lies over the foot of the logo and the start of the
  // operating-system line; on top of both, it keeps its clicks to itself.
  dateLabel_ = makeLabel(panel_, QStringLiteral("Label9"), identity::kDateLine, twipsRect(720, 3240, 1695, 375),
                         makeFont(kTimes, 12, true, true), kDarkBlue, Qt::AlignRight | Qt::AlignTop);
  dateLabel_->raise();

  reacting_ = {logoPicture, emblemPicture, family.upper, product.upper, versionLabel, systemLabel, makerLabel};
}

void SplashWindow::showEvent(QShowEvent* event) {
  QFrame::showEvent(event);
  if (handedOff_ || delay_.isActive()) return;
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  activateWindow();
  setFocus();
  delay_.start();
}

void SplashWindow::handOff() {
  if (handedOff_) return;
  handedOff_ = true;
  delay_.stop();
  // The splash is the only window until "Menu" opens: its closing must not end the
  // program.
  setAttribute(Qt::WA_QuitOnClose, false);
  close();  // deletes the window, and its timer with it
  // Without its main window the program would linger with no window at all.
  if (!workspace_.open(WindowId::main())) {
    QCoreApplication::quit();
    return;
  }
  // What a crash left unsaved is offered back once the main window is up.
  offerRecoveredAnalysesOnceShown(workspace_);
}

void SplashWindow::keyPressEvent(QKeyEvent* event) {
  // A modifier alone (Shift, Ctrl, Alt...) types nothing and is not a key press.
  switch (event->key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
      QFrame::keyPressEvent(event);
      return;
    default:
      event->accept();
      handOff();
  }
}

bool SplashWindow::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) pressed_ = watched;
      return true;
    case QEvent::MouseButtonRelease: {
      // A click is a press and a release of the left button on the same element.
      auto* mouse = static_cast<QMouseEvent*>(event);
      auto* widget = qobject_cast<QWidget*>(watched);
      const bool click = mouse->button() == Qt::LeftButton && pressed_ == watched && widget &&
                         widget->rect().contains(mouse->position().toPoint());
      pressed_ = nullptr;
      if (click && reacting_.contains(watched)) handOff();
      return true;
    }
    default:
      return QFrame::eventFilter(watched, event);
  }
}

}  // namespace varnelio::ui
