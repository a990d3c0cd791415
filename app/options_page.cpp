#include "app/options_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include "store/program_version.h"
#include "store/registry_handle.h"
#include "store/store_patterns.h"

namespace kelvaro {
namespace {

constexpr char kProgramKey[] = "Software\\Morvane\\Kelvaro";
constexpr int kDefaultColourPart = 192;
constexpr int kHintsStay = 10'000'000;  // milliseconds: hints that do not go away
constexpr int kDefaultHintSeconds = 5;
constexpr int kPasswordLength = 100;

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

struct ColourPart {
  const char* name;
  const char* caption;
  const char* hint;
  const char* valueName;
};
constexpr ColourPart kColourParts[3] = {
    {"redSlider", "czerwony:", "Podaj ilość koloru czerwonego", "RColor"},
    {"greenSlider", "zielony:", "Podaj ilość koloru zielonego", "GColor"},
    {"blueSlider", "niebieski:", "Podaj ilość koloru niebieskiego", "BColor"},
};

}  // namespace

const std::array<TabLayoutChoice, 7>& tabLayoutChoices() {
  static const std::array<TabLayoutChoice, 7> choices{{
      {"na górze", {TabSide::Top, true, false, QSize(610, 495)}},
      {"na dole", {TabSide::Bottom, true, false, QSize(610, 495)}},
      {"z lewej", {TabSide::Left, true, false, QSize(801, 380)}},
      {"z prawej", {TabSide::Right, true, false, QSize(801, 380)}},
      {"na dole i na górze", {TabSide::Top, true, true, QSize(610, 495)}},
      {"w jednym rzędzie na górze", {TabSide::Top, false, false, QSize(610, 400)}},
      {"w jednym rzędie na dole", {TabSide::Bottom, false, false, QSize(610, 400)}},
  }};
  return choices;
}

QString ScrollingTitle::text() {
  return QString::fromUtf8(kProgramTitle) + " v. 3.7.37" + QString(20, QLatin1Char(' '));
}

OptionsPage::OptionsPage(AppContext& app, const PageInfo& info, QWidget* parent) : Page(app, info, parent) {
  auto* columns = new QHBoxLayout(this);
  columns->setContentsMargins(6, 4, 6, 4);
  columns->setSpacing(10);
  auto* left = new QVBoxLayout;
  left->setSpacing(2);
  auto* right = new QVBoxLayout;
  right->setSpacing(1);
  columns->addLayout(left, 0);
  columns->addLayout(right, 1);

  auto* leftArea = new QWidget(this);
  leftArea->setObjectName("optionsSecurityAndColour");
  auto* rightArea = new QWidget(this);
  rightArea->setObjectName("optionsWindow");
  left->addWidget(leftArea);
  left->addStretch(1);
  right->addWidget(rightArea);
  right->addStretch(1);
  buildPasswordControls(leftArea);
  buildColourControls(leftArea);
  buildWindowControls(rightArea);

  scrollTimer_ = new QTimer(this);
  scrollTimer_->setObjectName("scrollTimer");
  scrollTimer_->setInterval(200);
  connect(scrollTimer_, &QTimer::timeout, this, &OptionsPage::scrollStep);

  passwordApply_ = &addApplyCommand(passwordButton_, {}, [this] { return applyPassword(); });
  app.frame().offerTabLayoutNumber([this] {
    for (std::size_t i = 0; i < layoutChoices_.size(); ++i) {
      if (layoutChoices_[i]->isChecked()) return static_cast<int>(i) + 1;
    }
    return 1;
  });
  connectReactions();
}

void OptionsPage::buildPasswordControls(QWidget* area) {
  auto* grid = new QGridLayout(area);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(2);

  passwordCheck_ = new QCheckBox(text("Zabezpiecz Kelvaro hasłem"), area);
  passwordCheck_->setObjectName("passwordCheck");
  passwordCheck_->setToolTip(text("Blokuje dostęp dla nieporządanych osób"));
  grid->addWidget(passwordCheck_, 0, 0, 1, 3);

  const auto field = [&](int row, const char* name, const char* caption, const char* hint, QLabel*& label) {
    label = new QLabel(text(caption), area);
    label->setObjectName(QString(name) + "Label");
    auto* edit = new QLineEdit(area);
    edit->setObjectName(name);
    edit->setToolTip(text(hint));
    edit->setEchoMode(QLineEdit::Password);
    // Masked with asterisks whatever the style would draw.
    edit->setStyleSheet("QLineEdit { lineedit-password-character: 42; }");
    edit->setMaxLength(kPasswordLength);
    label->setBuddy(edit);
    label->hide();
    edit->hide();
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1, 1, 2);
    return edit;
  };
  passwordEdit_ = field(1, "passwordEdit", "Podaj hasło", "Podaj hasło", passwordLabel_);
  confirmEdit_ = field(2, "confirmEdit", "Potwierdź hasło", "Potwierdź podane hasło", confirmLabel_);

  passwordButton_ = new QPushButton(text("Zastosuj"), area);
  passwordButton_->setObjectName("passwordApply");
  passwordButton_->setToolTip(text("Zastosuj ustawienia"));
  passwordButton_->hide();
  grid->addWidget(passwordButton_, 3, 2, Qt::AlignRight);
  // The hidden password rows keep their place, so the colour controls stay put.
  for (int row = 1; row <= 3; ++row) grid->setRowMinimumHeight(row, 22);
  grid->setColumnMinimumWidth(1, 60);
  grid->setRowMinimumHeight(4, 6);

  auto* heading = new QLabel(text("Kolor tła:"), area);
  heading->setObjectName("colourHeading");
  grid->addWidget(heading, 5, 0, 1, 3);
}

void OptionsPage::buildColourControls(QWidget* area) {
  auto* grid = static_cast<QGridLayout*>(area->layout());
  int row = 6;
  for (std::size_t i = 0; i < 3; ++i) {
    const ColourPart& part = kColourParts[i];
    auto* label = new QLabel(text(part.caption), area);
    auto* slider = new QSlider(Qt::Horizontal, area);
    slider->setObjectName(part.name);
    slider->setToolTip(text(part.hint));
    slider->setRange(0, 255);
    slider->setValue(kDefaultColourPart);
    label->setBuddy(slider);
    auto* value = new QLabel(QString::number(kDefaultColourPart), area);
    value->setObjectName(QString(part.name).replace("Slider", "Value"));
    value->setMinimumWidth(24);
    grid->addWidget(label, row, 0);
    grid->addWidget(slider, row, 1);
    grid->addWidget(value, row, 2);
    colourSliders_[i] = slider;
    colourValues_[i] = value;
    ++row;
  }
  auto* greyLabel = new QLabel(text("Odcienie szarości"), area);
  greySlider_ = new QSlider(Qt::Horizontal, area);
  greySlider_->setObjectName("greySlider");
  greySlider_->setToolTip(text("Zmień kolor programu w skali szarości"));
  greySlider_->setRange(0, 255);
  greySlider_->setValue(kDefaultColourPart);
  greyLabel->setBuddy(greySlider_);
  grid->addWidget(greyLabel, row, 0, 1, 3);
  grid->addWidget(greySlider_, row + 1, 0, 1, 3);

  rememberColour_ = new QRadioButton(text("pamiętaj kolor"), area);
  rememberColour_->setObjectName("rememberColour");
  rememberColour_->setToolTip(text("Zapamiętaj ustawiony kolor i uruchamiaj Kelvaro w tym kolorze"));
  standardColour_ = new QRadioButton(text("standardowy"), area);
  standardColour_->setObjectName("standardColour");
  standardColour_->setToolTip(text("Przejdź na kolor standardowy"));
  standardColour_->setChecked(true);
  grid->addWidget(rememberColour_, row + 2, 0, 1, 3);
  grid->addWidget(standardColour_, row + 3, 0, 1, 3);
}

void OptionsPage::buildWindowControls(QWidget* area) {
  auto* box = new QVBoxLayout(area);
  box->setContentsMargins(0, 0, 0, 0);
  box->setSpacing(1);

  hintCheck_ = new QCheckBox(text("Ustaw, aby nie znikały strzałki z podpowiedziami"), area);
  hintCheck_->setObjectName("hintCheck");
  hintCheck_->setToolTip(text("Jeżeli chcesz, aby strzałki z podpowiedziami nie znikały kliknij tutaj"));
  box->addWidget(hintCheck_);

  auto* hintRow = new QHBoxLayout;
  hintCaption_ = new QLabel(text("Wyświetlaj podpowiedzi przez:"), area);
  hintCaption_->setObjectName("hintCaption");
  hintSlider_ = new QSlider(Qt::Horizontal, area);
  hintSlider_->setObjectName("hintSlider");
  hintSlider_->setToolTip(text("Ustaw czas wyświetlania podpowiedzi"));
  hintSlider_->setRange(1, 100);
  hintSlider_->setValue(kDefaultHintSeconds);
  hintCaption_->setBuddy(hintSlider_);
  hintSeconds_ = new QLabel(text("5s"), area);
  hintSeconds_->setObjectName("hintSeconds");
  hintSeconds_->setToolTip(text("Czas (w sekundach) wyświetlania podpowiedzi"));
  hintSeconds_->setMinimumWidth(32);
  hintRow->addWidget(hintCaption_);
  hintRow->addWidget(hintSlider_, 1);
  hintRow->addWidget(hintSeconds_);
  box->addLayout(hintRow);

  rememberPage_ = new QCheckBox(text("Pamiętaj, na jakiej zakładce zamknąłeś program"), area);
  rememberPage_->setObjectName("rememberPage");
  rememberPage_->setToolTip(text("Zapamiętuje, jaka zakładka była aktywna, gdy zamykałeś program"));
  box->addWidget(rememberPage_);

  scrollCheck_ = new QCheckBox(text("Przewijaj tytuł programu:"), area);
  scrollCheck_->setObjectName("scrollCheck");
  scrollCheck_->setToolTip(text("Uaktywnia opcje przewijania tytułu na pasku zadań"));
  box->addWidget(scrollCheck_);
  // The two scrolling choices are a group of their own.
  auto* scrollChoices = new QWidget(area);
  scrollChoices->setObjectName("scrollChoices");
  auto* scrollBox = new QVBoxLayout(scrollChoices);
  scrollBox->setContentsMargins(20, 0, 0, 0);
  scrollBox->setSpacing(0);
  scrollWindowOnly_ = new QRadioButton(text("tylko na pasku programu"), scrollChoices);
  scrollWindowOnly_->setObjectName("scrollWindowOnly");
  scrollWindowOnly_->setToolTip(text("Skroluje tytuł programu tylko na psaku programu"));
  scrollWindowOnly_->setChecked(true);
  scrollTaskBar_ = new QRadioButton(text("na pasku programu i pasku zadań"), scrollChoices);
  scrollTaskBar_->setObjectName("scrollTaskBar");
  scrollTaskBar_->setToolTip(text("Skroluje tytuł programu na psaku programu i pasku zadań"));
  scrollWindowOnly_->setEnabled(false);
  scrollTaskBar_->setEnabled(false);
  scrollBox->addWidget(scrollWindowOnly_);
  scrollBox->addWidget(scrollTaskBar_);
  box->addWidget(scrollChoices);

  auto* layoutHeading = new QLabel(text("Układ zakładek:"), area);
  layoutHeading->setObjectName("layoutHeading");
  box->addWidget(layoutHeading);
  auto* layouts = new QWidget(area);
  layouts->setObjectName("layoutChoices");
  auto* layoutGrid = new QGridLayout(layouts);
  layoutGrid->setContentsMargins(20, 0, 0, 0);
  layoutGrid->setHorizontalSpacing(8);
  layoutGrid->setVerticalSpacing(0);
  for (std::size_t i = 0; i < layoutChoices_.size(); ++i) {
    auto* choice = new QRadioButton(text(tabLayoutChoices()[i].caption), layouts);
    choice->setObjectName(QString("layout%1").arg(i + 1));
    const int n = static_cast<int>(i);
    // The four multi-row layouts on the left, the others on the right.
    layoutGrid->addWidget(choice, n < 4 ? n : n - 4, n < 4 ? 0 : 1);
    layoutChoices_[i] = choice;
  }
  layoutChoices_[0]->setChecked(true);
  box->addWidget(layouts);

  auto* menuHeading = new QLabel(text("Wyświetlaj menu \"Szybki dostęp\" z pozycjami:"), area);
  menuHeading->setObjectName("menuHeading");
  box->addWidget(menuHeading);
  auto* menus = new QWidget(area);
  menus->setObjectName("menuChoices");
  auto* menuBox = new QVBoxLayout(menus);
  menuBox->setContentsMargins(20, 0, 0, 0);
  menuBox->setSpacing(0);
  menuPageOrder_ = new QRadioButton(text("wedłóg kolejności dodawania zakładek"), menus);
  menuPageOrder_->setObjectName("menuPageOrder");
  menuPageOrder_->setChecked(true);
  menuAlphabetical_ = new QRadioButton(text("posegregowanymi alfabetycznie"), menus);
  menuAlphabetical_->setObjectName("menuAlphabetical");
  menuBox->addWidget(menuPageOrder_);
  menuBox->addWidget(menuAlphabetical_);
  box->addWidget(menus);
}

void OptionsPage::connectReactions() {
  for (QSlider* slider : colourSliders_)
    connect(slider, &QSlider::valueChanged, this, &OptionsPage::colourSliderChanged);
  connect(greySlider_, &QSlider::valueChanged, this, [this](int value) {
    for (QSlider* slider : colourSliders_) slider->setValue(value);
  });
  connect(rememberColour_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) rememberColourSelected();
  });
  connect(standardColour_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) standardColourSelected();
  });
  connect(hintCheck_, &QCheckBox::toggled, this, &OptionsPage::hintCheckToggled);
  connect(hintSlider_, &QSlider::valueChanged, this, &OptionsPage::hintSliderChanged);
  connect(rememberPage_, &QCheckBox::toggled, this, [this](bool checked) {
    writeOption([checked](RegistryHandle& reg) { writeDwordFlag(reg, "ActivePage", checked); });
  });
  connect(scrollCheck_, &QCheckBox::toggled, this, &OptionsPage::scrollCheckToggled);
  connect(scrollWindowOnly_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) scrollWindowOnlySelected();
  });
  connect(scrollTaskBar_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) scrollTaskBarSelected();
  });
  for (std::size_t i = 0; i < layoutChoices_.size(); ++i) {
    connect(layoutChoices_[i], &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) layoutSelected(static_cast<int>(i) + 1);
    });
  }
  connect(menuPageOrder_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) menuSelected(1);
  });
  connect(menuAlphabetical_, &QRadioButton::toggled, this, [this](bool on) {
    if (on) menuSelected(2);
  });
  connect(passwordCheck_, &QCheckBox::toggled, this, &OptionsPage::passwordCheckToggled);
  connect(passwordEdit_, &QLineEdit::textChanged, this, &OptionsPage::passwordFieldsChanged);
  connect(confirmEdit_, &QLineEdit::textChanged, this, &OptionsPage::passwordFieldsChanged);
}

// Runs under the loading guard (the page's catalogue entry says so), which
// is lifted however the loader ends.
void OptionsPage::load() {
  FrameControl& frame = app().frame();

  RegistryHandle reg(app().registry());
  openForWrite(reg, kProgramKey);

  if (reg.valueExists("Kolor") && reg.valueKind("Kolor") == ValueKind::Dword) {
    if (reg.readDword("Kolor") != 0) rememberColour_->setChecked(true);
  } else {
    standardColour_->setChecked(true);
  }
  if (rememberColour_->isChecked()) {
    for (std::size_t i = 0; i < 3; ++i) {
      const char* name = kColourParts[i].valueName;
      if (reg.valueExists(name) && reg.valueKind(name) == ValueKind::String) {
        colourSliders_[i]->setValue(numberFromText(reg.readString(name)));
      }
    }
    // Also when no slider moved: the window takes the remembered colour.
    showSliderColour();
  } else {
    for (QSlider* slider : colourSliders_) slider->setValue(kDefaultColourPart);
    showStandardColour();
  }

  rememberPage_->setChecked(readDwordFlag(reg, "ActivePage"));

  bool shown = false;
  if (rememberPage_->isChecked() && reg.valueExists("ActivePageName") &&
      reg.valueKind("ActivePageName") == ValueKind::String) {
    const int index = numberFromText(reg.readString("ActivePageName"));
    shown = frame.showPageAt(index);
  }
  if (!shown) frame.showPage(initialPage().id, {});

  hintCheck_->setChecked(readDwordFlag(reg, "hinty TN"));
  if (!hintCheck_->isChecked()) hintSliderChanged(hintSlider_->value());

  scrollCheck_->setChecked(readDwordFlag(reg, "Scroll"));
  if (scrollCheck_->isChecked() && reg.valueExists("PZadan") && reg.valueKind("PZadan") == ValueKind::Dword) {
    if (reg.readDword("PZadan") != 0) scrollTaskBar_->setChecked(true);
  } else {
    scrollWindowOnly_->setChecked(true);
  }

  int layout = guardedReadDword(reg, "Zakladki", 1);
  if (layout < 1 || layout > 7) layout = 1;
  layoutChoices_[static_cast<std::size_t>(layout - 1)]->setChecked(true);

  const int menu = guardedReadDword(reg, "Menu", 0);
  if (menu == 1) menuPageOrder_->setChecked(true);
  if (menu == 2) menuAlphabetical_->setChecked(true);

  reg.closeKey();
}

void OptionsPage::writeOption(const std::function<void(RegistryHandle&)>& write) {
  if (app().loadingGuard()) return;
  run([&] {
    RegistryHandle reg(app().registry());
    openForWrite(reg, kProgramKey);
    write(reg);
  });
}

void OptionsPage::writeSliderColour(RegistryHandle& reg) const {
  for (std::size_t i = 0; i < 3; ++i)
    writeNumberText(reg, kColourParts[i].valueName, colourSliders_[i]->value());
}

void OptionsPage::showSliderColour() {
  app().frame().setWindowColour(
      QColor(colourSliders_[0]->value(), colourSliders_[1]->value(), colourSliders_[2]->value()));
}

void OptionsPage::showStandardColour() {
  FrameControl& frame = app().frame();
  frame.setWindowColour(frame.standardWindowColour());
}

void OptionsPage::colourSliderChanged() {
  showSliderColour();
  for (std::size_t i = 0; i < 3; ++i) colourValues_[i]->setText(QString::number(colourSliders_[i]->value()));
  if (rememberColour_->isChecked()) writeOption([this](RegistryHandle& reg) { writeSliderColour(reg); });
}

void OptionsPage::rememberColourSelected() {
  writeOption([this](RegistryHandle& reg) {
    writeSliderColour(reg);
    reg.writeDword("Kolor", 1);
  });
}

void OptionsPage::standardColourSelected() {
  writeOption([](RegistryHandle& reg) {
    for (const ColourPart& part : kColourParts) writeNumberText(reg, part.valueName, kDefaultColourPart);
    reg.writeDword("Kolor", 0);
  });
  for (QSlider* slider : colourSliders_) slider->setValue(kDefaultColourPart);
  showStandardColour();
}

void OptionsPage::hintCheckToggled(bool checked) {
  app().frame().setHintDuration(checked ? kHintsStay : kDefaultHintSeconds * 1000);
  for (QWidget* w : {static_cast<QWidget*>(hintCaption_), static_cast<QWidget*>(hintSlider_),
                     static_cast<QWidget*>(hintSeconds_)}) {
    w->setEnabled(!checked);
  }
  if (!checked) hintSlider_->setValue(kDefaultHintSeconds);
  writeOption([checked](RegistryHandle& reg) { writeDwordFlag(reg, "hinty TN", checked); });
}

void OptionsPage::hintSliderChanged(int seconds) {
  hintSeconds_->setText(QString::number(seconds) + "s");
  app().frame().setHintDuration(seconds * 1000);
}

void OptionsPage::scrollCheckToggled(bool checked) {
  stopScrolling();
  scrollWindowOnly_->setChecked(true);
  scrollWindowOnly_->setEnabled(checked);
  scrollTaskBar_->setEnabled(checked);
  if (checked) startScrolling(false);
  writeOption([checked](RegistryHandle& reg) { writeDwordFlag(reg, "Scroll", checked); });
}

void OptionsPage::scrollWindowOnlySelected() {
  // Restarted for the window title only; never started while scrolling is off.
  stopScrolling();
  if (scrollCheck_->isChecked()) startScrolling(false);
  writeOption([](RegistryHandle& reg) { reg.writeDword("PZadan", 0); });
}

void OptionsPage::scrollTaskBarSelected() {
  scrollsTaskBar_ = true;
  writeOption([](RegistryHandle& reg) { reg.writeDword("PZadan", 1); });
}

void OptionsPage::startScrolling(bool taskBarToo) {
  scrollsTaskBar_ = taskBarToo;
  scrollTimer_->start();
}

void OptionsPage::stopScrolling() {
  scrollTimer_->stop();
  title_.reset();
  app().frame().setWindowCaption(title_.current());
  if (scrollsTaskBar_) app().frame().setApplicationTitle(title_.current());
  scrollsTaskBar_ = false;
}

void OptionsPage::scrollStep() {
  title_.step();
  app().frame().setWindowCaption(title_.current());
  if (scrollsTaskBar_) app().frame().setApplicationTitle(title_.current());
}

void OptionsPage::layoutSelected(int number) {
  app().frame().setTabLayout(tabLayoutChoices()[static_cast<std::size_t>(number - 1)].layout);
  writeOption([number](RegistryHandle& reg) { reg.writeDword("Zakladki", number); });
}

void OptionsPage::menuSelected(int number) {
  app().frame().setPageMenuChoice(number == 1 ? PageMenuChoice::PageOrder : PageMenuChoice::Alphabetical);
  writeOption([number](RegistryHandle& reg) { reg.writeDword("Menu", number); });
}

void OptionsPage::passwordCheckToggled(bool checked) {
  if (app().loadingGuard()) return;
  for (QWidget* w : {static_cast<QWidget*>(passwordLabel_), static_cast<QWidget*>(passwordEdit_),
                     static_cast<QWidget*>(confirmLabel_), static_cast<QWidget*>(confirmEdit_),
                     static_cast<QWidget*>(passwordButton_)}) {
    w->setVisible(checked);
  }
  // The stored password itself stays.
  if (!checked) writeOption([](RegistryHandle& reg) { writeDwordFlag(reg, "haslo TN", false); });
}

void OptionsPage::passwordFieldsChanged() {
  passwordApply_->setPending(!passwordEdit_->text().isEmpty() && !confirmEdit_->text().isEmpty());
}

WriteResult OptionsPage::applyPassword() {
  if (passwordEdit_->text() != confirmEdit_->text()) {
    app().dialogs().message(
        "Podane przez Ciebie hasło i potwierdzenie hasła nie są takie same.\nSpróbuj jeszcze raz :-)");
    return WriteResult::KeepPending;
  }
  RegistryHandle reg(app().registry());
  openForWrite(reg, kProgramKey);
  reg.writeString("haslo", passwordEdit_->text().toStdString());
  writeDwordFlag(reg, "haslo TN", passwordCheck_->isChecked());
  return WriteResult::Done;
}

}  // namespace kelvaro
