#include "pages/system/network_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>
#include <optional>
#include <span>

#include "pages/system/ip_address_box.h"
#include "pages/system/ip_info.h"
#include "store/store_error.h"
#include "store/store_patterns.h"

namespace kelvaro {
namespace {

constexpr char kVnetsup[] = "System\\CurrentControlSet\\Services\\VxD\\VNETSUP";
constexpr char kMstcp[] = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";
constexpr char kNetwork[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Network";
constexpr char kLogon[] = "Network\\Logon";
constexpr char kUnknown[] = "(nieznane)";
constexpr char kIdleNote[] = "Uwaga: Kliknij dwukrotnie na nazwę, którą chcesz zmienić.";
constexpr char kEditingNote[] = "Zatwierdź zmianę ENTER-em !";
constexpr int kDefaultTtl = 128;
constexpr int kEditorLimit = 215;

struct Name {
  const char* caption;
  const char* hint;
  const char* key;
  const char* value;
};

// In the order the page lists them.
constexpr std::array<Name, NetworkPage::kNameCount> kNames{{
    {"Nazwa \"Host\":", "Zmień nazwę \"Host\"", kMstcp, "HostName"},
    {"Domena:", "Zmień domenę", kMstcp, "Domain"},
    {"Nazwa komputera:", "Zmień nazwę komputera", kVnetsup, "ComputerName"},
    {"Komentarz:", "Zmień komentarz", kVnetsup, "Comment"},
    {"Grupa robocza:", "Zmień nazwę grupy roboczej", kVnetsup, "Workgroup"},
}};

struct Policy {
  const char* caption;
  const char* hint;
  const char* key;
  const char* value;
};

constexpr std::array<Policy, NetworkPage::kPolicyCount> kPolicies{{
    {"Ukryj hasło udostępniania", "Ukrywanie hasła udostępniania poprzez zamianę ich na ekranie gwiazdkami",
     kNetwork, "HideSharePwds"},
    {"Wyłcz buforowanie hasła", "Wyłączenie buforowania hasła", kNetwork, "DisablePwdCaching"},
    {"Zablokuj odbieranie telefonu", "Brak możliwości odbierania telefonu", kNetwork, "NoDialIn"},
    {"Wymagaj podawania hasła alfanumerycznego", "Wymaganie korzystania z hasła alfanumerycznego", kNetwork,
     "AlphanumPwds"},
    {"Wyłącz możliwość logowania bez podania hasła",
     "Użytkownicy będą musieli podać poprawny login i hasło aby zalogować się do systemu. Komputer musi być "
     "częścią domeny Windows ponieważ autoryzacja dokonywana jest przez sieć",
     kLogon, "MustBeValidated"},
}};
// The Network flags in the order Apply writes them.
constexpr std::array<std::size_t, 4> kNetworkWriteOrder{0, 1, 3, 2};

constexpr std::array<const char*, 4> kOrdinals{"pierwszy", "drugi", "trzeci", "czwarty"};

// The number a field holds: an optional sign and digits.
std::optional<long> integerOf(const QString& text) {
  bool ok = false;
  const QString digits = text.startsWith('-') || text.startsWith('+') ? text.mid(1) : text;
  if (digits.isEmpty()) return std::nullopt;
  for (QChar c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  const long value = text.toLong(&ok);
  return ok && value >= INT_MIN && value <= INT_MAX ? std::optional<long>(value) : std::nullopt;
}

std::string notANumberMessage(bool maskRow, int ordinal) {
  return std::string(maskRow ? "Wpisałeś niepoprawny adres maski IP (Modół "
                             : "Wpisałeś niepoprawny adres IP (Modół ") +
         kOrdinals[static_cast<std::size_t>(ordinal)] + ") !!!";
}

std::string negativeMessage(bool maskRow, int ordinal) {
  const std::string modul = std::string("Modół ") + kOrdinals[static_cast<std::size_t>(ordinal)];
  return maskRow
             ? modul +
                   " adresu maski IP zawiera liczbę ujemną. Adres maski IP nie może zawierać liczb ujemnych."
             : modul + " adresu IP zawiera liczbę ujemną. Adres IP nie może zawierać liczb ujemnych.";
}

std::string tooLargeMessage(bool maskRow, int ordinal) {
  return std::string("Modół ") + kOrdinals[static_cast<std::size_t>(ordinal)] +
         (maskRow ? " adresu maski IP - wpisana liczba jest za duża !!!"
                  : " adresu IP - wpisana liczba jest za duża !!!");
}

QPushButton* applyButton(const char* name, QWidget* parent) {
  auto* button = new QPushButton(QStringLiteral("Zastosuj"), parent);
  button->setObjectName(name);
  button->setToolTip(QStringLiteral("Zastosuj zmiany"));
  return button;
}

// A number field that only its arrows change, from 0 up.
QSpinBox* arrowsOnlyField(const char* name, const QString& caption, const QString& hint, QWidget* parent) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(name);
  spin->setRange(0, INT_MAX);
  spin->setToolTip(hint);
  spin->setAccessibleName(caption);
  if (auto* text = spin->findChild<QLineEdit*>()) {
    text->setReadOnly(true);
    text->setAccessibleName(caption);
  }
  return spin;
}

}  // namespace

NetworkPage::NetworkPage(AppContext& app, const PageInfo& info, QWidget* parent) : Page(app, info, parent) {
  // "Nazwy i Adresy"
  QWidget* names = area("TabSheet1");
  auto* grid = new QGridLayout(names);
  grid->setContentsMargins(10, 10, 10, 10);
  grid->setHorizontalSpacing(12);
  grid->setVerticalSpacing(8);
  grid->setColumnStretch(1, 1);
  editor_ = new InPlaceEditor(names, app.dialogs(),
                              {.textEditor = QStringLiteral("Wprowadź zmianę i naciśnij ENTER"),
                               .versionEditor = {},
                               .folderEditor = {},
                               .browseButton = {}});
  editor_->setBackgroundClickCommits(false);
  editor_->textEditor()->setObjectName("SiecEditor");
  editor_->textEditor()->setMaximumWidth(kEditorLimit);
  int row = 0;
  for (std::size_t i = 0; i < kNames.size(); ++i, ++row) {
    auto* caption = new QLabel(QString::fromUtf8(kNames[i].caption), names);
    caption->setObjectName(QStringLiteral("%1Caption").arg(kNames[i].value));
    names_[i] = new QLabel(names);
    names_[i]->setObjectName(kNames[i].value);
    names_[i]->setToolTip(QString::fromUtf8(kNames[i].hint));
    names_[i]->setMinimumWidth(40);
    caption->setBuddy(names_[i]);
    grid->addWidget(caption, row, 0);
    grid->addWidget(names_[i], row, 1);
    editor_->addField(names_[i], EditorKind::Text, kUnknown);
  }
  note_ = new QLabel(QString::fromUtf8(kIdleNote), names);
  note_->setObjectName("SiecNote");
  grid->addWidget(note_, row++, 0, 1, 2);

  address_ = new IpAddressBox(QStringLiteral("AdresIP"), QStringLiteral("Adres IP"),
                              QStringLiteral("Podaj adres IP"), names);
  mask_ = new IpAddressBox(QStringLiteral("Maska"), QStringLiteral("Maska"), QStringLiteral("Podaj maskę IP"),
                           names);
  for (auto [box, caption] : {std::pair{address_, "Adres IP"}, std::pair{mask_, "Maska"}}) {
    auto* label = new QLabel(QString::fromUtf8(caption), names);
    label->setObjectName(box->objectName() + "Caption");
    grid->addWidget(label, row, 0);
    grid->addWidget(box, row++, 1, Qt::AlignLeft);
  }
  grid->setRowStretch(row++, 1);
  auto* namesButton = applyButton("SiecNamesApply", names);
  grid->addWidget(namesButton, row, 1, Qt::AlignRight);
  // The Apply commands set the restart flag themselves: a refused address
  // also ends the command, with nothing written.
  namesApply_ = &addApplyCommand(namesButton, {}, [this] { return applyNames(); });

  for (int i = 0; i < 4; ++i) {
    for (bool maskRow : {false, true}) {
      QLineEdit* field = maskRow ? maskField(i) : addressField(i);
      connect(field, &QLineEdit::textChanged, this,
              [this, field, maskRow, i] { addressFieldChanged(field, maskRow, i); });
      namesApply_->runOnEnter(field);
    }
  }
  connect(editor_, &InPlaceEditor::editStarted, this, [this] {
    setAddressRowsEnabled(false);
    note_->setText(kEditingNote);
    namesApply_->setPending(false);
  });
  connect(editor_, &InPlaceEditor::committed, this, [this] {
    setAddressRowsEnabled(true);
    note_->setText(QString::fromUtf8(kIdleNote));
    namesApply_->markPending();
  });

  // "Ustawienia"
  QWidget* settings = area("TabSheet6");
  auto* column = new QVBoxLayout(settings);
  column->setContentsMargins(10, 10, 10, 10);
  auto* settingsButton = applyButton("SiecSettingsApply", settings);
  settingsApply_ = &addApplyCommand(settingsButton, {}, [this] { return applySettings(); });
  for (std::size_t i = 0; i < kPolicies.size(); ++i) {
    policies_[i] = new QCheckBox(QString::fromUtf8(kPolicies[i].caption), settings);
    policies_[i]->setObjectName(kPolicies[i].value);
    policies_[i]->setToolTip(QString::fromUtf8(kPolicies[i].hint));
    connect(policies_[i], &QCheckBox::clicked, settingsApply_, &ApplyCommand::markPending);
    settingsApply_->runOnEnter(policies_[i]);
    column->addWidget(policies_[i]);
  }
  auto* numbers = new QGridLayout;
  const QString ttlCaption = QStringLiteral("Time To Live dla TCP");
  const QString lengthCaption = QStringLiteral("Minimalna długość hasła");
  ttl_ =
      arrowsOnlyField("DefaultTTL", ttlCaption,
                      QStringLiteral("Określa domyślną wartość Time to Live (TTL) w nagłówku wychodzących "
                                     "pakietów IP. Przydatne do ukrycia lokalnej sieci. Domyślna wartość to "
                                     "128."),
                      settings);
  minPasswordLength_ = arrowsOnlyField(
      "MinPwdLen", lengthCaption,
      QStringLiteral("Określa minimalną długość hasła. Jeżeli wyświetlana jest liczba 0 oznacza "
                     "to, że minimalna długość hasła nie została podana i można wpisywać hasła "
                     "dowolnej wielkości."),
      settings);
  int numberRow = 0;
  for (auto [spin, caption] : {std::pair{ttl_, ttlCaption}, std::pair{minPasswordLength_, lengthCaption}}) {
    auto* label = new QLabel(caption, settings);
    label->setObjectName(spin->objectName() + "Caption");
    label->setBuddy(spin);
    numbers->addWidget(label, numberRow, 0);
    numbers->addWidget(spin, numberRow++, 1, Qt::AlignLeft);
    connect(spin, &QSpinBox::valueChanged, settingsApply_, &ApplyCommand::markPending);
    settingsApply_->runOnEnter(spin);
  }
  numbers->setColumnStretch(1, 1);
  column->addLayout(numbers);
  column->addStretch(1);
  column->addWidget(settingsButton, 0, Qt::AlignRight);
}

QLineEdit* NetworkPage::addressField(int i) const { return address_->field(i); }
QLineEdit* NetworkPage::maskField(int i) const { return mask_->field(i); }

void NetworkPage::setAddressRowsEnabled(bool enabled) {
  address_->setEnabled(enabled);
  mask_->setEnabled(enabled);
}

void NetworkPage::load() {
  RegistryHandle reg(app().registry());
  reg.setRoot(Root::LocalMachine);
  const char* opened = nullptr;
  bool open = false;
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    if (opened != kNames[i].key) {
      reg.closeKey();
      open = openForRead(reg, kNames[i].key);
      opened = kNames[i].key;
    }
    const std::string text = open ? guardedReadString(reg, kNames[i].value) : std::string();
    names_[i]->setText(QString::fromStdString(text.empty() ? kUnknown : text));
  }

  const auto [addressText, maskText] = firstAdapterAddress(app().network());
  const auto addressFields = splitAddress(addressText);
  const auto maskFields = splitAddress(maskText);
  for (int i = 0; i < 4; ++i) {
    addressField(i)->setText(QString::fromStdString(addressFields[static_cast<std::size_t>(i)]));
    maskField(i)->setText(QString::fromStdString(maskFields[static_cast<std::size_t>(i)]));
  }

  reg.closeKey();
  open = openForRead(reg, kNetwork);
  for (std::size_t i = 0; i < 4; ++i)
    policies_[i]->setChecked(open && readDwordFlag(reg, kPolicies[i].value));
  reg.closeKey();
  policies_[4]->setChecked(openForRead(reg, kLogon) && readDwordFlag(reg, kPolicies[4].value));

  reg.closeKey();
  int ttl = kDefaultTtl;
  if (openForRead(reg, kMstcp) && reg.valueExists("DefaultTTL") &&
      (reg.valueKind("DefaultTTL") == ValueKind::String ||
       reg.valueKind("DefaultTTL") == ValueKind::ExpandString))
    ttl = readNumberText(reg, "DefaultTTL");
  ttl_->setValue(std::max(ttl, 0));

  reg.closeKey();
  std::uint8_t length = 0;
  if (openForRead(reg, kNetwork) && reg.valueExists("MinPwdLen") &&
      (reg.valueKind("MinPwdLen") == ValueKind::Binary || reg.valueKind("MinPwdLen") == ValueKind::Unknown))
    reg.readBinary("MinPwdLen", std::span<std::uint8_t>(&length, 1));
  minPasswordLength_->setValue(length);

  editor_->reset();
  note_->setText(QString::fromUtf8(kIdleNote));
  setAddressRowsEnabled(true);
}

void NetworkPage::addressFieldChanged(QLineEdit* field, bool maskRow, int ordinal) {
  const QString text = field->text();
  if (text.isEmpty()) return;
  const std::optional<long> number = integerOf(text);
  if (!number) {
    app().dialogs().message(notANumberMessage(maskRow, ordinal));
    field->setText(QStringLiteral("0"));
  } else if (*number < 0) {
    app().dialogs().message(negativeMessage(maskRow, ordinal));
    field->setText(QStringLiteral("0"));
    namesApply_->setPending(false);
    return;
  } else if (text == "-0" || text == "-00" || text == "00" || text == "000") {
    field->setText(QStringLiteral("0"));
  }
  namesApply_->markPending();
}

WriteResult NetworkPage::applyNames() {
  std::array<QLineEdit*, 8> fields{};
  for (int i = 0; i < 4; ++i) {
    fields[static_cast<std::size_t>(i)] = addressField(i);
    fields[static_cast<std::size_t>(i + 4)] = maskField(i);
  }
  std::array<long, 8> numbers{};
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const bool maskRow = i >= 4;
    const int ordinal = static_cast<int>(i % 4);
    const std::optional<long> number = integerOf(fields[i]->text());
    if (!number) {
      app().dialogs().message(notANumberMessage(maskRow, ordinal));
      fields[i]->setText(QStringLiteral("0"));
      return WriteResult::Done;
    }
    if (*number >= 256) {
      app().dialogs().message(tooLargeMessage(maskRow, ordinal));
      fields[i]->setFocus();
      if (i == 0) fields[i]->setText(QStringLiteral("255"));
      return WriteResult::Done;
    }
    numbers[i] = *number;
  }
  for (std::size_t i = 0; i < fields.size(); ++i) fields[i]->setText(QString::number(numbers[i]));

  RegistryHandle reg(app().registry());
  reg.setRoot(Root::LocalMachine);
  const auto shown = [this](std::size_t i) {
    const std::string text = names_[i]->text().toStdString();
    return text == kUnknown ? std::string() : text;
  };
  // VNETSUP's names first, then MSTCP's.
  for (const char* key : {kVnetsup, kMstcp}) {
    reg.closeKey();
    openForWrite(reg, key);
    for (std::size_t i = 0; i < kNames.size(); ++i) {
      if (kNames[i].key == key) reg.writeString(kNames[i].value, shown(i));
    }
  }
  app().setRestartNeeded();
  return WriteResult::Done;
}

WriteResult NetworkPage::applySettings() {
  RegistryHandle reg(app().registry());
  reg.setRoot(Root::LocalMachine);
  openForWrite(reg, kNetwork);
  std::vector<FlagSetting> network;
  for (std::size_t i : kNetworkWriteOrder) network.push_back({kPolicies[i].value, policies_[i]->isChecked()});
  writeThenPrune(reg, network);
  reg.closeKey();
  openForWrite(reg, kLogon);
  writeThenPrune(reg, {{kPolicies[4].value, policies_[4]->isChecked()}});

  reg.closeKey();
  openForWrite(reg, kMstcp);
  writeNumberText(reg, "DefaultTTL", ttl_->value());
  if (reg.readString("DefaultTTL") == "128") reg.deleteValue("DefaultTTL");

  reg.closeKey();
  reg.openKey(kNetwork, false);
  const auto length = static_cast<std::uint8_t>(minPasswordLength_->value() % 256);
  reg.writeBinary("MinPwdLen", std::span<const std::uint8_t>(&length, 1));
  if (minPasswordLength_->value() == 0) reg.deleteValue("MinPwdLen");
  app().setRestartNeeded();
  return WriteResult::Done;
}

}  // namespace kelvaro
