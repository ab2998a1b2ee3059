#include "ui/site_survey_page.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "adapter/operations.h"
#include "byte_text.h"
#include "controls/group_frame.h"
#include "controls/owner_draw_button.h"
#include "focus_ring.h"
#include "list_images.h"
#include "logic/profile_actions.h"
#include "logic/survey_model.h"
#include "ui/config_dialog.h"

namespace nv {

namespace {

constexpr int kEntryRole = Qt::UserRole;  // survey item: its index in the survey list
constexpr int kMarkRole = kListMarkRole;
constexpr int kBytesRole =
    Qt::UserRole + 2;  // the column's bytes, as the driver or store gave them

void SetBytes(QTreeWidgetItem* item, int column, const std::string& bytes) {
  item->setText(column, ShownText(bytes));
  item->setData(column, kBytesRole, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string Bytes(const QTreeWidgetItem* item, int column) {
  return item->data(column, kBytesRole).toByteArray().toStdString();
}

// The row the list's selection holds (a screen reader's selection counts as well as the
// keyboard's); null when none is selected.
QTreeWidgetItem* SelectedRow(const QTreeWidget* list) {
  const QList<QTreeWidgetItem*> rows = list->selectedItems();
  return rows.isEmpty() ? nullptr : rows.first();
}

void SetMark(QTreeWidgetItem* item, int mark) {
  item->setIcon(0, ListImages()[static_cast<size_t>(mark)]);
  item->setData(0, kMarkRole, mark);
  item->setData(0, Qt::AccessibleDescriptionRole, QString::fromLatin1(MarkDescription(mark)));
}

QTreeWidget* List(const char* name, const char* accessible, QWidget* parent) {
  auto* list = new QTreeWidget(parent);
  list->setObjectName(QString::fromLatin1(name));
  list->setAccessibleName(QString::fromLatin1(accessible));
  list->setRootIsDecorated(false);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);  // whole rows
  list->setIconSize(QSize(kListImageSize, kListImageSize));
  list->setAllColumnsShowFocus(true);
  new FocusRing(list);  // the style shows no focus on a list, an empty one least of all
  return list;
}

OwnerDrawButton* Button(const char* caption, const char* name, const char* accessible,
                        QWidget* parent, bool shown = true) {
  auto* button = new OwnerDrawButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAccessibleName(QString::fromLatin1(accessible));
  button->setFocusPolicy(Qt::StrongFocus);
  button->setVisible(shown);  // the hidden ones stay hidden; their handlers still work
  return button;
}

GroupFrame* Frame(const char* caption, const char* name, QWidget* parent) {
  auto* frame = new GroupFrame(QString::fromLatin1(caption), parent);
  frame->setObjectName(QString::fromLatin1(name));
  frame->SetCaptionColour(QColor(0, 0, 128));
  frame->SetLineColours(QColor(128, 128, 128), QColor(128, 128, 128));
  QFont font(QStringLiteral("Arial"), 10, QFont::Bold);
  frame->SetCaptionFont(font);
  return frame;
}

void SizeColumns(QTreeWidget* list) {
  for (int c = 0; c < list->columnCount(); ++c) list->resizeColumnToContents(c);
}

void MoveSelection(QTreeWidget* list, int step) {
  QTreeWidgetItem* item = SelectedRow(list);
  if (item == nullptr) return;
  const int row =
      std::clamp(list->indexOfTopLevelItem(item) + step, 0, list->topLevelItemCount() - 1);
  list->setCurrentItem(list->topLevelItem(row));
}

}  // namespace

SiteSurveyPage::SiteSurveyPage(AdapterIo& io, AppState& state, QWidget* parent, WarningBox warning,
                               QuestionBox question)
    : ConfigPage(QStringLiteral("siteSurveyPage"), parent),
      io_(io),
      state_(state),
      warning_(std::move(warning)),
      question_(std::move(question)) {
  auto* column = new QVBoxLayout(this);
  BuildSurveyGroup(column);
  BuildProfileGroup(column);
  pollTimer_.setInterval(kSurveyPollMs);
  connect(&pollTimer_, &QTimer::timeout, this, &SiteSurveyPage::PollScan);
  RefreshBssList();
  RefreshProfileList();
  pollCount_ = 0;
}

void SiteSurveyPage::BuildSurveyGroup(QVBoxLayout* column) {
  GroupFrame* frame = Frame("Available Network", "availableNetworkFrame", this);
  surveyList_ = List("surveyList", "Available networks", frame);
  QStringList headers;
  for (const char* header : kSurveyColumns) headers << QString::fromLatin1(header);
  surveyList_->setHeaderLabels(headers);
  SizeColumns(surveyList_);
  refreshButton_ = Button("Refresh", "refreshButton", "Refresh the available networks", frame);
  connectButton_ = Button("Connect", "connectButton", "Connect to the selected network", frame);
  auto* up = Button("Up", "surveyUpButton", "Previous network", frame, false);
  auto* down = Button("Down", "surveyDownButton", "Next network", frame, false);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(refreshButton_);
  buttons->addWidget(connectButton_);
  auto* layout = new QVBoxLayout(frame);
  layout->addWidget(surveyList_);
  layout->addLayout(buttons);
  column->addWidget(frame, 3);
  connect(refreshButton_, &QAbstractButton::clicked, this, &SiteSurveyPage::Refresh);
  connect(connectButton_, &QAbstractButton::clicked, this, &SiteSurveyPage::Connect);
  connect(up, &QAbstractButton::clicked, this, [this] { MoveSurveySelection(-1); });
  connect(down, &QAbstractButton::clicked, this, [this] { MoveSurveySelection(1); });
  connect(surveyList_, &QTreeWidget::itemDoubleClicked, this, &SiteSurveyPage::Connect);
  surveyList_->installEventFilter(this);
}

void SiteSurveyPage::BuildProfileGroup(QVBoxLayout* column) {
  GroupFrame* frame = Frame("Profile", "profileFrame", this);
  profileList_ = List("profileList", "Profiles", frame);
  profileList_->setHeaderLabels({QStringLiteral("Profile Name")});
  profileList_->setHeaderHidden(true);
  addButton_ = Button("Add", "addButton", "Add a profile", frame);
  removeButton_ = Button("Remove", "removeButton", "Remove the selected profile", frame);
  propertiesButton_ =
      Button("Properties", "propertiesButton", "Properties of the selected profile", frame);
  auto* up = Button("Up", "profileUpButton", "Previous profile", frame, false);
  auto* down = Button("Down", "profileDownButton", "Next profile", frame, false);
  auto* refresh = Button("Refresh", "profileRefreshButton", "Refresh the profiles", frame, false);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(addButton_);
  buttons->addWidget(removeButton_);
  buttons->addWidget(propertiesButton_);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(frame);
  layout->addWidget(profileList_, 1);
  layout->addLayout(buttons);
  column->addWidget(frame, 2);
  connect(addButton_, &QAbstractButton::clicked, this, &SiteSurveyPage::Add);
  connect(removeButton_, &QAbstractButton::clicked, this, &SiteSurveyPage::Remove);
  connect(propertiesButton_, &QAbstractButton::clicked, this, &SiteSurveyPage::Properties);
  connect(up, &QAbstractButton::clicked, this, [this] { MoveProfileSelection(-1); });
  connect(down, &QAbstractButton::clicked, this, [this] { MoveProfileSelection(1); });
  connect(refresh, &QAbstractButton::clicked, this, &SiteSurveyPage::RefreshProfileList);
  connect(profileList_, &QTreeWidget::itemDoubleClicked, this, &SiteSurveyPage::ActivateProfile);
  profileList_->installEventFilter(this);
}

void SiteSurveyPage::RefreshBssList() {
  BssList read{};
  ReadBssList(io_, read);
  const std::vector<SurveyRow> rows = RefreshSurvey(read, state_.currentLinkStatus, state_.survey);
  refreshButton_->setEnabled(true);
  if (read.count < 0) return;  // the list keeps what it showed
  surveyList_->clear();
  for (const SurveyRow& row : rows) {
    auto* item = new QTreeWidgetItem(surveyList_);
    for (size_t c = 0; c < row.columns.size(); ++c)
      SetBytes(item, static_cast<int>(c), row.columns[c]);
    SetMark(item, row.image);
    item->setData(0, kEntryRole, row.entry);
  }
  SizeColumns(surveyList_);
  if (surveyList_->topLevelItemCount() > 0)
    surveyList_->setCurrentItem(surveyList_->topLevelItem(0));
}

void SiteSurveyPage::RefreshProfileList() {
  profileList_->clear();
  for (const ProfileRow& row :
       ListProfiles(io_.registry(), state_.survey.list, state_.currentLinkStatus).rows) {
    auto* item = new QTreeWidgetItem(profileList_);
    SetBytes(item, 0, row.name);
    SetMark(item, row.mark);
  }
  SizeColumns(profileList_);
  profileList_->setCurrentItem(nullptr);  // no item is selected
}

void SiteSurveyPage::Refresh() {
  refreshButton_->setEnabled(false);
  if (StartScan(io_) != kAccessOk) {
    refreshButton_->setEnabled(true);
    return;
  }
  pollCount_ = 0;
  pollTimer_.start();
}

void SiteSurveyPage::PollScan() {
  const PollStep step = NextPollStep(IsScanDone(io_) == kAccessOk, pollCount_);
  if (step == PollStep::Wait) return;
  pollTimer_.stop();
  RefreshBssList();
  RefreshProfileList();
  if (step == PollStep::GiveUp)
    static_cast<void>(StopScan(io_));  // what was found so far stays shown
}

void SiteSurveyPage::Connect() {
  QTreeWidgetItem* item = SelectedRow(surveyList_);
  if (item == nullptr || dialog_) return;
  std::array<std::string, 6> columns;
  for (size_t c = 0; c < columns.size(); ++c) columns[c] = Bytes(item, static_cast<int>(c));
  OpenDialog(ProfileMode::Connect, NetworkSettings(io_, columns), columns[1]);
}

void SiteSurveyPage::Add() {
  if (dialog_) return;
  OpenDialog(ProfileMode::Add, StoredAdapterSettings(io_), std::string());
}

void SiteSurveyPage::Properties() {
  const std::optional<std::string> name = SelectedProfile();
  if (!name || dialog_) return;
  const auto stored = FindProfile(io_.registry(), *name);
  if (!stored) {  // removed elsewhere meanwhile: nothing to edit
    RefreshProfileList();
    return;
  }
  OpenDialog(ProfileMode::Properties, *stored, *name);
}

void SiteSurveyPage::ActivateProfile() {
  const std::optional<std::string> name = SelectedProfile();
  if (!name) return;
  const ProfileChange change = ActivateStoredProfile(io_, *name);
  RefreshProfileList();
  if (change.taken) Q_EMIT showPageRequested(kPageReload);
  ReportProblems(warning_, window(), change.problems);
}

void SiteSurveyPage::Remove() {
  const std::optional<std::string> name = SelectedProfile();
  if (!name) return;
  RemoveProfile(io_.registry(), *name);
  RefreshProfileList();
}

void SiteSurveyPage::AskAndRemove() {
  const std::optional<std::string> name = SelectedProfile();
  if (!name) return;
  const QuestionBox ask = question_;  // a copy: the page may end while the box is up
  const QPointer<SiteSurveyPage> self = this;
  if (!ask(window(), QString::fromLatin1(kConfigWindowTitle),
           ShownText(RemoveProfileQuestion(*name)))) {
    return;
  }
  if (self) Remove();
}

// A list that takes the keyboard focus with no current row shows the focus on its first row,
// without selecting it.
void SiteSurveyPage::ShowFocusRow(QTreeWidget* list) {
  if (list == nullptr || list->currentItem() != nullptr || list->topLevelItemCount() == 0) return;
  list->selectionModel()->setCurrentIndex(list->model()->index(0, 0),
                                          QItemSelectionModel::NoUpdate);
}

void SiteSurveyPage::MoveSurveySelection(int step) { MoveSelection(surveyList_, step); }
void SiteSurveyPage::MoveProfileSelection(int step) { MoveSelection(profileList_, step); }

std::optional<std::string> SiteSurveyPage::SelectedProfile() const {
  const QTreeWidgetItem* item = SelectedRow(profileList_);
  if (item == nullptr) return std::nullopt;
  return Bytes(item, 0);
}

void SiteSurveyPage::OpenDialog(ProfileMode mode, const AdapterConfig& config,
                                const std::string& name) {
  dialog_ = new ProfileDialog(mode, config, name, ReadRegulatoryDomain(io_), this);
  dialog_->setAttribute(Qt::WA_DeleteOnClose);
  dialog_->SetNameLookup(
      [this](const std::string& asked) { return StoredProfileName(io_.registry(), asked); });
  ProfileDialog* opened = dialog_;
  connect(opened, &QDialog::finished, this, [this, opened](int result) {
    dialog_ = nullptr;  // gone from now on, though deleted only later
    if (result == QDialog::Accepted) DialogAccepted(*opened);
  });
  opened->open();  // window-modal; the page goes on when it ends
}

void SiteSurveyPage::DialogAccepted(const ProfileDialog& dialog) {
  const AdapterConfig config = dialog.config();
  const std::string& name = dialog.profileName();
  const ProfileChange change = StoreAndActivate(io_, name, config, ShownText(name).toStdString());
  RefreshProfileList();
  if (change.taken) Q_EMIT showPageRequested(kPageReload);
  ReportProblems(warning_, window(), change.problems);
}

// Enter acts as a double click on either list; Delete asks, then removes the selected profile.
bool SiteSurveyPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) ShowFocusRow(qobject_cast<QTreeWidget*>(watched));
  if (event->type() != QEvent::KeyPress) return ConfigPage::eventFilter(watched, event);
  const int key = static_cast<QKeyEvent*>(event)->key();
  const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
  if (watched == surveyList_ && enter) {
    Connect();
    return true;
  }
  if (watched == profileList_ && enter) {
    ActivateProfile();
    return true;
  }
  if (watched == profileList_ && key == Qt::Key_Delete) {
    AskAndRemove();
    return true;
  }
  return ConfigPage::eventFilter(watched, event);
}

}  // namespace nv
