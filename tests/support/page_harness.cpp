#include "tests/support/page_harness.h"

#include <stdlib.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <stdexcept>

#include "app/page_factory.h"
#include "platform/environment_factory.h"
#include "platform/file_system.h"
#include "store/registry_handle.h"
#include "store/store_error.h"
#include "store/wine_registry_files.h"
#include "tests/support/user_input.h"

namespace kelvaro::testing {
namespace fs = std::filesystem;

namespace {

// The registry files of the sandbox, whose writes can be refused.
class GatedRegistry : public Registry {
 public:
  GatedRegistry(std::unique_ptr<WineRegistryFiles> files, const bool& refuse, int& writesLeft)
      : files_(std::move(files)), refuse_(refuse), writesLeft_(writesLeft) {}

  std::shared_ptr<RegistryKey> rootKey(Root root) override { return files_->rootKey(root); }
  std::shared_ptr<RegistryKey> followLink(const std::shared_ptr<RegistryKey>& key) override {
    return files_->followLink(key);
  }
  void checkWritable() override {
    if (refuse_ || writesLeft_ == 0) throw StoreError("Rejestr jest zablokowany");
    if (writesLeft_ > 0) --writesLeft_;
    files_->checkWritable();
  }
  void keyCreated(RegistryKey& key) override { files_->keyCreated(key); }
  void keyModified(RegistryKey& key) override { files_->keyModified(key); }
  void flush() { files_->flush(); }

 private:
  std::unique_ptr<WineRegistryFiles> files_;
  const bool& refuse_;
  int& writesLeft_;
};

QString withoutAccelerator(QString text) { return text.remove('&'); }

std::optional<StoredValue> valueOf(RegistryHandle& reg, std::string_view name) {
  if (!reg.valueExists(name)) return std::nullopt;
  switch (reg.valueKind(name)) {
    case ValueKind::Dword:
      return StoredValue(reg.readDword(name));
    case ValueKind::String:
    case ValueKind::ExpandString:
      return StoredValue(reg.readString(name));
    default:
      return StoredValue(reg.rawValue(name)->data);
  }
}

// Where a click on a control lands: a check box or choice on its mark, other
// controls in their middle.
QPoint clickPoint(QWidget* w) {
  if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
    QStyleOptionButton option;
    option.initFrom(w);
    const auto element =
        qobject_cast<QCheckBox*>(w) ? QStyle::SE_CheckBoxIndicator : QStyle::SE_RadioButtonIndicator;
    return w->style()->subElementRect(element, &option, w).center();
  }
  return w->rect().center();
}

}  // namespace

PageHarness::PageHarness() {
  std::string pattern = (fs::temp_directory_path() / "kelvaro-pages-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  root_ = pattern;
  prefix = root_ / "sandbox";
  open(Environment::Kind::Sandbox);
}

void PageHarness::reopenAsWinePrefix() {
  window.reset();
  startup.reset();
  app.reset();
  environment.reset();
  open(Environment::Kind::WinePrefix);
}

void PageHarness::open(Environment::Kind kind) {
  EnvironmentOptions options;
  options.programDataFolder = KELVARO_TEST_DATA_DIR;
  options.sandboxTemplate = fs::path(KELVARO_TEST_DATA_DIR) / "sandbox";
  options.openRegistry = [this](const fs::path& dir) {
    auto gated = std::make_unique<GatedRegistry>(WineRegistryFiles::open(dir), refuseWrites, writesLeft);
    GatedRegistry* backend = gated.get();
    return PrefixRegistry{std::move(gated), [this, backend] {
                            backend->flush();
                            ++flushes;
                            if (onFlush) onFlush();
                          }};
  };
  environment = openEnvironment({kind, prefix}, options);
  fonts = std::make_unique<EnvironmentFonts>(*environment);
  Platform platform{environment.get(), &dialogs, &launcher, &shellLinks, &icons, &pictures};
  platform.fonts = fonts.get();
  platform.sound = &sound;
  platform.systemSettings = &systemSettings;
  platform.screenCapture = &screenCapture;
  platform.network = &network;
  app = std::make_unique<AppContext>(platform);
}

void PageHarness::useEnvironmentIcons() {
  window.reset();
  startup.reset();
  Platform platform = app->platform();
  app.reset();
  environmentIcons = std::make_unique<LinuxIcons>(
      environment->registry(),
      [env = environment.get()](std::string_view dos) { return env->files().hostPath(dos); },
      IconDirectories{environment->windowsDirectory(), environment->systemDirectory(), "C:\\Program Files"});
  platform.icons = environmentIcons.get();
  app = std::make_unique<AppContext>(platform);
}

TableNetwork PageHarness::defaultNetwork() {
  TableNetwork network;
  AdapterRecord adapter;
  adapter.name = "eth0";
  adapter.description = "Karta sieciowa zgodna z NE2000";
  adapter.hardwareAddress = {0x00, 0x40, 0x05, 0x12, 0x34, 0x56};
  adapter.index = 2;
  adapter.type = 6;
  adapter.addresses = {{"192.168.0.7", "255.255.255.0"}};
  network.table = {adapter};
  return network;
}

PageHarness::~PageHarness() {
  window.reset();
  startup.reset();
  app.reset();
  environment.reset();
  std::error_code ec;
  fs::remove_all(root_, ec);
}

TKelvaro* PageHarness::start(TKelvaro::PageFactory factory) {
  StartupOptions options;
  options.programFile = "Z:\\opt\\kelvaro\\kelvaro";
  options.fileExists = [](std::string_view) { return true; };
  options.pageFactory = factory ? std::move(factory) : TKelvaro::PageFactory(createPage);
  window.reset();
  startup = std::make_unique<Startup>(*app, options);
  window = startup->run();
  if (window) window->show();
  return window.get();
}

TKelvaro& PageHarness::makeWindow(TKelvaro::PageFactory factory) {
  window.reset();
  window = std::make_unique<TKelvaro>(*app, factory ? std::move(factory) : TKelvaro::PageFactory(createPage));
  window->show();
  return *window;
}

TKelvaro::PageFactory PageHarness::recordingPages(std::set<std::string> ids,
                                                  std::set<std::string> withoutRestart) {
  return [this, ids, withoutRestart](AppContext& context, const PageInfo& info, QWidget* parent) -> Page* {
    if (!ids.count(info.id)) return nullptr;
    auto* page =
        new RecordingPage(context, info, parent, log, {.setsRestartNeeded = !withoutRestart.count(info.id)});
    recording[info.id] = page;
    return page;
  };
}

Page& PageHarness::page(std::string_view id) const {
  Page* p = window ? window->page(id) : nullptr;
  if (!p) throw std::logic_error("no page " + std::string(id));
  return *p;
}

Page& PageHarness::showAndLoad(std::string_view id) {
  Page& p = page(id);
  window->pages()->setCurrentWidget(&p);
  EXPECT_TRUE(app->run([&p] { p.reload(); })) << "loading " << id;
  return p;
}

std::string PageHarness::activeId() const { return window->activePage()->objectName().toStdString(); }

void PageHarness::set(Root root, std::string_view key, std::string_view name, const StoredValue& value) {
  RegistryHandle reg(app->registry());
  reg.setRoot(root);
  if (!reg.openKey(key, true)) throw std::logic_error("cannot create " + std::string(key));
  if (const auto* n = std::get_if<std::int32_t>(&value)) reg.writeDword(name, *n);
  if (const auto* s = std::get_if<std::string>(&value)) reg.writeString(name, *s);
  if (const auto* b = std::get_if<Bytes>(&value)) reg.writeBinary(name, *b);
  app->flush();
}

void PageHarness::remove(Root root, std::string_view key, std::string_view name) {
  RegistryHandle reg(app->registry());
  reg.setRoot(root);
  if (reg.openKey(key, false)) reg.deleteValue(name);
  app->flush();
}

std::optional<StoredValue> PageHarness::stored(Root root, std::string_view key, std::string_view name) const {
  const auto files = WineRegistryFiles::open(prefix);
  RegistryHandle reg(*files);
  reg.setRoot(root);
  if (!reg.openKey(key, false)) return std::nullopt;
  return valueOf(reg, name);
}

bool PageHarness::keyStored(Root root, std::string_view key) const {
  const auto files = WineRegistryFiles::open(prefix);
  RegistryHandle reg(*files);
  reg.setRoot(root);
  return reg.keyExists(key);
}

QWidget* PageHarness::widget(std::string_view nameOrCaption) const {
  const QString wanted =
      QString::fromUtf8(nameOrCaption.data(), static_cast<qsizetype>(nameOrCaption.size()));
  const QList<QWidget*> all = window->findChildren<QWidget*>();
  for (QWidget* w : all) {
    if (w->objectName() == wanted) return w;
  }
  for (QWidget* w : all) {
    if (auto* b = qobject_cast<QAbstractButton*>(w); b && withoutAccelerator(b->text()) == wanted) return w;
    if (auto* l = qobject_cast<QLabel*>(w); l && withoutAccelerator(l->text()) == wanted) return w;
  }
  return nullptr;
}

void PageHarness::click(std::string_view nameOrCaption) {
  QWidget* w = widget(nameOrCaption);
  ASSERT_NE(w, nullptr) << nameOrCaption;
  click(w);
}

void PageHarness::click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, clickPoint(w)); }

void PageHarness::doubleClick(QWidget* w, QPoint at) {
  testing::doubleClick(w, at.isNull() ? clickPoint(w) : at);
}

void PageHarness::type(std::string_view nameOrCaption, std::string_view text) {
  QWidget* w = widget(nameOrCaption);
  ASSERT_NE(w, nullptr) << nameOrCaption;
  type(w, text);
}

void PageHarness::type(QWidget* w, std::string_view text) {
  w->setFocus(Qt::OtherFocusReason);
  QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(w, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void PageHarness::key(QWidget* w, Qt::Key k) {
  w->setFocus(Qt::OtherFocusReason);
  QTest::keyClick(w, k);
}

fs::path PageHarness::hostPath(std::string_view dosPath) const {
  return environment->files().hostPath(dosPath).value_or(fs::path());
}

}  // namespace kelvaro::testing
