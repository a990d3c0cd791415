#include "pages/appearance/colors_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "pages/appearance/colour_button.h"
#include "pages/appearance/colour_miniature.h"
#include "platform/file_system.h"
#include "store/ini_file.h"
#include "store/registry_handle.h"
#include "store/store_error.h"
#include "store/store_patterns.h"

namespace kelvaro {
namespace {

constexpr char kColorsKey[] = "Control Panel\\Colors";
constexpr char kColorsSection[] = "colors";
constexpr char kCurrentScheme[] = "(Aktualna kompozycja)";

QString q(const char* text) { return QString::fromUtf8(text); }

}  // namespace

ColorsPage::ColorsPage(AppContext& app, const PageInfo& info, QWidget* parent) : Page(app, info, parent) {
  // The running system's colours; the four newer ones start from the colours
  // they vary.
  SystemSettings& system = app.systemSettings();
  for (int i = 0; i <= 24; ++i) colours_[i] = system.systemColour(i);
  colours_[25] = colours_[15];  // ButtonAlternateFace, HotTrackingColor: ButtonFace
  colours_[26] = colours_[15];
  colours_[27] = colours_[2];  // GradientActiveTitle: ActiveTitle
  colours_[28] = colours_[3];  // GradientInactiveTitle: InactiveTitle

  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(10, 10, 10, 10);
  layout->setHorizontalSpacing(14);

  miniature_ = new ColourMiniature(colours_, this);
  miniature_->setObjectName("koloryMiniatura");
  layout->addWidget(miniature_, 0, 0, 2, 1, Qt::AlignTop);
  connect(miniature_, &ColourMiniature::entryClicked, this, &ColorsPage::selectEntry);

  auto* side = new QVBoxLayout;
  layout->addLayout(side, 0, 1);
  auto* listLabel = new QLabel(QStringLiteral("Zmień kolor:"), this);
  listLabel->setObjectName("koloryZmienKolor");
  side->addWidget(listLabel);
  elements_ = new QListWidget(this);
  elements_->setObjectName("KolorListBox");
  elements_->setToolTip(QStringLiteral("Wybierz z menu obiekt, któremu chcesz zmienić kolor"));
  elements_->setAccessibleName(listLabel->text());
  // Qt does not give a list view its tooltip as description.
  elements_->setAccessibleDescription(elements_->toolTip());
  for (const ColourEntry& entry : kColourEntries) elements_->addItem(q(entry.caption));
  elements_->setFixedHeight(elements_->sizeHintForRow(0) * 11 + 2 * elements_->frameWidth());
  listLabel->setBuddy(elements_);
  side->addWidget(elements_);
  connect(elements_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { selectEntry(elements_->row(item) + 1); });
  connect(elements_, &QListWidget::currentRowChanged, this, [this](int row) {
    // Moving through the list with the keyboard selects too.
    if (row >= 0 && row + 1 != current_) selectEntry(row + 1);
  });

  element_ = new QLabel(this);
  element_->setObjectName("koloryElement");
  QFont bold = element_->font();
  bold.setBold(true);
  element_->setFont(bold);
  side->addWidget(element_);

  auto* buttons = new QGridLayout;
  side->addLayout(buttons);
  const auto colourButton = [&](const char* name, int column) {
    auto* label = new QLabel(q(name), this);
    label->setObjectName(QString("%1Label").arg(name));
    auto* button = new ColourButton(app.dialogs(), this);
    button->setObjectName(name);
    button->setToolTip(QStringLiteral("Kliknij aby zmienić kolor"));
    button->setAccessibleName(q(name));
    label->setBuddy(button);
    buttons->addWidget(label, 0, column);
    buttons->addWidget(button, 1, column);
    return button;
  };
  kolor1_ = colourButton("Kolor1", 0);
  kolor2_ = colourButton("Kolor2", 1);
  buttons->setColumnStretch(2, 1);
  connect(kolor1_, &ColourButton::colourChosen, this, &ColorsPage::colour1Chosen);
  connect(kolor2_, &ColourButton::colourChosen, this, &ColorsPage::colour2Chosen);
  kolor2_->setEnabled(false);

  auto* schemeLabel = new QLabel(QStringLiteral("Wybierz schmat:"), this);
  schemeLabel->setObjectName("koloryWybierzSchemat");
  side->addSpacing(8);
  side->addWidget(schemeLabel);
  schemes_ = new QComboBox(this);
  schemes_->setObjectName("ComboBox2");
  schemes_->setToolTip(QStringLiteral("Proponowane przeze mnie schematy"));
  schemes_->setAccessibleName(schemeLabel->text());
  schemes_->setEditable(true);
  schemes_->lineEdit()->setAccessibleName(schemeLabel->text());
  // A typed name is matched as it stands: no completion, nothing added to the list.
  schemes_->setCompleter(nullptr);
  schemes_->setInsertPolicy(QComboBox::NoInsert);
  schemes_->setMaxVisibleItems(20);
  schemes_->addItem(q(kCurrentScheme));
  for (const ColourScheme& scheme : kColourSchemes) schemes_->addItem(q(scheme.name));
  schemes_->setEditText(q(kCurrentScheme));
  schemeLabel->setBuddy(schemes_);
  side->addWidget(schemes_);
  connect(schemes_, &QComboBox::textActivated, this, &ColorsPage::schemeChosen);
  connect(schemes_->lineEdit(), &QLineEdit::textEdited, this, &ColorsPage::schemeChosen);
  // Enter would choose the box's text again; a typed name has acted already.
  schemes_->lineEdit()->installEventFilter(this);

  side->addStretch(1);
  auto* save = new QPushButton(QStringLiteral("Zapisz"), this);
  save->setObjectName("koloryZapisz");
  save->setToolTip(QStringLiteral("Kliknij, aby zmienić wybrany przez ciebie kolor"));
  side->addWidget(save, 0, Qt::AlignRight);
  apply_ = &addApplyCommand(save, {}, [this] { return apply(); });

  layout->setColumnStretch(2, 1);
  layout->setRowStretch(1, 1);
  finishLoad();
}

bool ColorsPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == schemes_->lineEdit() && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) return true;
  }
  return Page::eventFilter(watched, event);
}

IniFile ColorsPage::winIni() const {
  const std::string dos = app().environment().windowsDirectory() + "\\Win.ini";
  const auto host = app().files().hostPath(dos);
  if (!host) throw StoreError(store_messages::unableToWrite(dos));
  return IniFile(*host, app().environment().ansiCodePage(), dos, app().environment().changeGuard());
}

void ColorsPage::load() {
  ColourPairs pairs;
  if (app().files().hostPath(app().environment().windowsDirectory() + "\\Win.ini")) {
    for (const std::string& line : winIni().readSectionValues(kColorsSection))
      pairs.push_back(splitColourLine(line));
  }
  bool found = !pairs.empty();

  RegistryHandle reg(app().registry());
  if (openForRead(reg, kColorsKey) && reg.valueExists("ScrollBar")) {
    pairs.clear();
    for (const std::string& name : reg.valueNames()) pairs.push_back({name, reg.readString(name)});
    found = true;
  }
  paint(pairs);

  if (!found) {
    // First run: the colours shown become the stored ones, and nothing else changes.
    reg.closeKey();
    openForWrite(reg, kColorsKey);
    for (int i : kColourWriteOrder) reg.writeString(kSystemColourNames[i], colourText(colours_[i]));
  }
  finishLoad();
}

void ColorsPage::paint(const ColourPairs& pairs) {
  // What was painted before an error stays shown.
  struct Repaint {
    QWidget* w;
    ~Repaint() { w->update(); }
  } repaint{miniature_};
  paintColours(pairs, colours_);
}

void ColorsPage::finishLoad() {
  selectEntry(kDesktopEntry);
  schemes_->setEditText(q(kCurrentScheme));
}

void ColorsPage::selectEntry(int entry) {
  if (entry < 1 || entry > static_cast<int>(kColourEntries.size())) return;
  current_ = entry;
  const ColourEntry& e = kColourEntries[static_cast<std::size_t>(entry - 1)];
  element_->setText(q(e.caption));
  {
    const QSignalBlocker quiet(elements_);
    elements_->setCurrentRow(entry - 1);
  }
  kolor1_->setColour(colours_[e.colour1]);
  kolor1_->setAutomaticColour(colours_[e.colour1]);
  kolor2_->setEnabled(e.colour2 != kNoColour);
  if (e.colour2 != kNoColour) {
    kolor2_->setColour(colours_[e.colour2]);
    kolor2_->setAutomaticColour(colours_[e.colour2]);
  }
}

void ColorsPage::colour1Chosen(Rgb colour) {
  // Element 5 is ButtonFace, which the button and both arrow squares show.
  colours_[kColourEntries[static_cast<std::size_t>(current_ - 1)].colour1] = colour;
  miniature_->update();
  apply_->markPending();
}

void ColorsPage::colour2Chosen(Rgb colour) {
  const int index = kColourEntries[static_cast<std::size_t>(current_ - 1)].colour2;
  if (index != kNoColour) {
    colours_[index] = colour;
    miniature_->update();
  }
  apply_->markPending();
}

void ColorsPage::schemeChosen(const QString& text) {
  if (text == q(kCurrentScheme)) {
    run([this] { reload(); });
    return;
  }
  for (const ColourScheme& scheme : kColourSchemes) {
    if (text != q(scheme.name)) continue;
    paint(schemePairs(scheme));
    finishLoad();
    apply_->markPending();
    return;
  }
}

WriteResult ColorsPage::apply() {
  RegistryHandle reg(app().registry());
  openForWrite(reg, kColorsKey);
  IniFile ini = winIni();
  ini.eraseSection(kColorsSection);
  SystemSettings& system = app().systemSettings();
  for (int i : kColourWriteOrder) {
    const std::string text = colourText(colours_[i]);
    system.setSystemColour(i, colours_[i]);
    ini.writeString(kColorsSection, kSystemColourNames[i], text);
    reg.writeString(kSystemColourNames[i], text);
  }
  // Written, yet the command stays enabled: only a load disables it.
  return WriteResult::KeepPending;
}

}  // namespace kelvaro
