#include "app/about_page.h"

#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include "app/program_picture.h"
#include "pages/widgets/clickable_label.h"
#include "platform/launcher.h"
#include "store/common_functions.h"
#include "store/program_version.h"

namespace kelvaro {
namespace {

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

QPixmap envelopePicture() {
  QPixmap pixmap(24, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(90, 70, 40), 1));
  p.setBrush(QColor(250, 240, 210));
  p.drawRect(QRectF(0.5, 0.5, 23, 15));
  p.drawLine(QPointF(0.5, 0.5), QPointF(12, 9));
  p.drawLine(QPointF(23.5, 0.5), QPointF(12, 9));
  return pixmap;
}

// A coin with a heart: the donation link.
QPixmap donationPicture() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(150, 110, 10), 1.5));
  p.setBrush(QColor(240, 200, 60));
  p.drawEllipse(QRectF(2, 2, 28, 28));
  QPainterPath heart;
  heart.moveTo(16, 24);
  heart.cubicTo(4, 16, 9, 6, 16, 12);
  heart.cubicTo(23, 6, 28, 16, 16, 24);
  p.fillPath(heart, QColor(200, 40, 40));
  return pixmap;
}

// A head and shoulders: the author's profile link.
QPixmap profilePicture() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 90, 170));
  p.drawRoundedRect(QRectF(1, 1, 30, 30), 5, 5);
  p.setBrush(QColor(240, 240, 250));
  p.drawEllipse(QRectF(11, 6, 10, 10));
  p.drawChord(QRectF(6, 18, 20, 20), 0, 180 * 16);
  return pixmap;
}

ClickableLabel* pictureLink(const QPixmap& picture, const char* name, const char* hint, QWidget* parent) {
  auto* label = new ClickableLabel(QString(), parent, QAccessible::Link);
  label->setObjectName(name);
  label->setPixmap(picture);
  label->setToolTip(text(hint));
  label->setAccessibleName(text(hint));
  return label;
}

}  // namespace

std::string aboutMailLink(std::string_view address) {
  return "mailto:" + std::string(address) +
         "?Subject=Cześć&Body=Gratuluję zrobienia bardzo dobrego programu " + kProgramTitle + ".";
}

AboutPage::AboutPage(AppContext& app, const PageInfo& info, QWidget* parent, std::function<int()> currentYear)
    : Page(app, info, parent) {
  if (!currentYear) currentYear = [] { return QDate::currentDate().year(); };

  auto* columns = new QHBoxLayout(this);
  columns->setContentsMargins(10, 6, 10, 6);
  columns->setSpacing(12);
  auto* left = new QVBoxLayout;
  left->setSpacing(2);
  auto* right = new QVBoxLayout;
  right->setSpacing(6);
  columns->addLayout(left, 1);
  columns->addLayout(right, 0);

  auto* product = new QLabel(text("Kelvaro"), this);
  product->setObjectName("productName");
  QFont large = product->font();
  large.setBold(true);
  large.setPointSizeF(large.pointSizeF() * 2.6);
  product->setFont(large);
  left->addWidget(product);

  auto* maker = new QLabel(text("Morvane"), this);
  maker->setObjectName("makerName");
  maker->setToolTip(text("Oto moja firma"));
  QFont makerFont = maker->font();
  makerFont.setBold(true);
  makerFont.setPointSizeF(makerFont.pointSizeF() * 1.3);
  maker->setFont(makerFont);
  left->addWidget(maker);

  auto* version = new QLabel(text("Wersja: ") + QString::fromStdString(programVersionString()), this);
  version->setObjectName("versionLabel");
  version->setToolTip(
      text("Wersja programu (7 - działa pod siedmioma Windowsami, 37 - posiada tyle zakładek)"));
  left->addWidget(version);

  auto* rights = new QLabel(text("Wszelkie prawa zastrzeżone © ") + QString::number(currentYear()), this);
  rights->setObjectName("yearLabel");
  left->addWidget(rights);
  left->addSpacing(12);

  auto* contacts = new QGridLayout;
  contacts->setHorizontalSpacing(8);
  contacts->setVerticalSpacing(4);
  auto* authorCaption = new QLabel(text("Autor"), this);
  auto* author = new QLabel(text(AboutAddresses::kAuthor), this);
  author->setObjectName("authorName");
  authorCaption->setBuddy(author);
  contacts->addWidget(authorCaption, 0, 0);
  contacts->addWidget(author, 0, 1, 1, 2);

  auto* mailCaption = new QLabel(text("E-mail"), this);
  auto* mail = new ClickableLabel(text(AboutAddresses::kEmail), this, QAccessible::Link);
  mail->setObjectName("emailLink");
  mail->setToolTip(text("Mailnij mnie"));
  mail->setAccessibleName(mail->text());
  QFont linkFont = mail->font();
  linkFont.setUnderline(true);
  mail->setFont(linkFont);
  mail->setStyleSheet("color: #0000c0;");
  auto* envelope = new QLabel(this);
  envelope->setObjectName("envelopePicture");
  envelope->setPixmap(envelopePicture());
  envelope->setToolTip(text("Kliknij na mój e-mail"));
  envelope->setAccessibleName(envelope->toolTip());
  contacts->addWidget(mailCaption, 1, 0);
  contacts->addWidget(mail, 1, 1);
  contacts->addWidget(envelope, 1, 2, Qt::AlignLeft);
  connect(mail, &ClickableLabel::clicked, this,
          [this, mail] { open(aboutMailLink(mail->text().toStdString()), false); });

  auto* webCaption = new QLabel(text("WWW"), this);
  auto* web = new ClickableLabel(text(AboutAddresses::kWeb), this, QAccessible::Link);
  web->setObjectName("webLink");
  web->setToolTip(text("Moja strona internetowa"));
  web->setAccessibleName(web->text());
  web->setFont(linkFont);
  web->setStyleSheet("color: #0000c0;");
  contacts->addWidget(webCaption, 2, 0);
  contacts->addWidget(web, 2, 1, 1, 2);
  connect(web, &ClickableLabel::clicked, this, [this, web] { open(web->text().toStdString(), false); });
  contacts->setColumnStretch(3, 1);
  left->addLayout(contacts);
  left->addStretch(1);

  auto* logo = new QLabel(this);
  logo->setObjectName("aboutLogo");
  logo->setPixmap(kelvaroLogo());
  logo->setAlignment(Qt::AlignCenter);
  logo->setToolTip(text("Oto logo mojego programu"));
  logo->setAccessibleName(logo->toolTip());
  right->addWidget(logo, 0, Qt::AlignHCenter);

  auto* pictures = new QHBoxLayout;
  pictures->setSpacing(10);
  auto* icon = new QLabel(this);
  icon->setObjectName("aboutIcon");
  icon->setPixmap(kelvaroIcon().pixmap(32, 32));
  icon->setToolTip(text("Ikona programu"));
  icon->setAccessibleName(icon->toolTip());
  auto* donation = pictureLink(donationPicture(), "donationLink", "Wesprzyj mnie finansowo", this);
  auto* profile = pictureLink(profilePicture(), "profileLink", "Profil autora", this);
  connect(donation, &ClickableLabel::clicked, this, [this] { open(AboutAddresses::kDonation, true); });
  connect(profile, &ClickableLabel::clicked, this, [this] { open(AboutAddresses::kProfile, true); });
  pictures->addStretch(1);
  pictures->addWidget(icon);
  pictures->addWidget(donation);
  pictures->addWidget(profile);
  pictures->addStretch(1);
  right->addLayout(pictures);
  right->addStretch(1);
}

void AboutPage::open(const std::string& target, bool maximised) {
  // A link that cannot be opened says nothing, as the shell would.
  app().launcher().open(target, maximised ? ShowWindow::Maximized : ShowWindow::Normal);
}

}  // namespace kelvaro
