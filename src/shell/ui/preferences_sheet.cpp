#include "shell/ui/preferences_sheet.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "course/ui/content_fonts.h"
#include "platform/qt_text.h"
#include "resources/string_table.h"
#include "resources/ui/icons.h"

namespace lumora {

namespace {

// The colour list draws each item as a rectangle of its palette colour inset by 2 pixels, with a
// focus rectangle around the current item.
class ColourDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        p->save();
        p->fillRect(option.rect, option.palette.base());
        p->fillRect(option.rect.adjusted(2, 2, -2, -2), colourOf(LanguageTable::paletteColour(index.row())));
        if (option.state & (QStyle::State_Selected | QStyle::State_HasFocus)) {
            p->setPen(QPen(option.palette.highlight().color(), 2, Qt::DotLine));
            p->setBrush(Qt::NoBrush);
            p->drawRect(option.rect.adjusted(1, 1, -1, -1));
        }
        p->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return {60, 20}; }
};

// The sample word in the current language's face, size and colour.
class SampleArea final : public QWidget {
public:
    explicit SampleArea(PreferencesModel& model, QWidget* parent) : QWidget(parent), model_(model) {
        setMinimumSize(260, 70);
        setAutoFillBackground(true);
        setBackgroundRole(QPalette::Base);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        const PreferencesModel::Sample s = model_.sample();
        QPainter p(this);
        p.fillRect(rect(), palette().base());
        p.setFont(contentFont(s.face, s.encoding, s.height));
        p.setPen(colourOf(s.colour));
        p.drawText(rect(), Qt::AlignLeft | Qt::AlignTop, decodeContent(s.word, s.encoding));
    }

private:
    PreferencesModel& model_;
};

QListWidget* textList(const std::vector<std::string>& entries) {
    auto* list = new QListWidget;
    for (const std::string& e : entries) list->addItem(qs(e));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

void selectRow(QListWidget* list, int row) {
    const QSignalBlocker block(list);
    if (row >= 0 && row < list->count()) {
        list->setCurrentRow(row);
        list->scrollToItem(list->item(row));
    } else {
        list->clearSelection();
    }
}

} // namespace

std::vector<std::string> scalableFontFamilies() {
    std::vector<std::string> out;
    for (const QString& f : QFontDatabase::families())
        if (QFontDatabase::isScalable(f)) out.push_back(f.toStdString());
    return out;
}

bool arialIsScalable() {
    return QFontDatabase::families().contains(QStringLiteral("Arial"), Qt::CaseInsensitive) &&
           QFontDatabase::isScalable(QStringLiteral("Arial"));
}

PreferencesSheet::PreferencesSheet(PreferencesModel& model, QWidget* parent) : QDialog(parent), model_(model) {
    setWindowTitle(qs(strings::text(28674)));
    auto* layout = new QVBoxLayout(this);
    pages_ = new QTabWidget;
    static const char* const startup[3] = {"Startup the software with the lesson's bitmap",
                                           "Startup the software with the last job",
                                           "Ask for user choice before leaving the software"};
    static const char* const endOfLesson[3] = {"Move automatically to the next lesson", "Verify your learning",
                                               "Ask user choice"};
    pages_->addTab(choicePage(startup, model_.startupChoice(), startup_, &PreferencesModel::setStartupChoice),
                   tr("Startup"));
    pages_->addTab(translationPage(), tr("Translation"));
    pages_->setTabToolTip(1, qs(strings::text(13003)));
    pages_->addTab(
        choicePage(endOfLesson, model_.endOfLessonChoice(), endOfLesson_, &PreferencesModel::setEndOfLessonChoice),
        tr("End of lesson"));
    layout->addWidget(pages_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Ok"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QWidget* PreferencesSheet::choicePage(const char* const labels[3], int choice, QButtonGroup*& group,
                                      void (PreferencesModel::*set)(int)) {
    auto* page = new QWidget;
    auto* box = new QVBoxLayout(page);
    group = new QButtonGroup(page);
    for (int i = 0; i < kChoiceCount; ++i) {
        auto* radio = new QRadioButton(tr(labels[i]));
        group->addButton(radio, kFirstChoiceRadio + i);
        radio->setChecked(i == choice);
        box->addWidget(radio);
    }
    box->addStretch();
    connect(group, &QButtonGroup::idClicked, this, [this, set](int id) { (model_.*set)(id - kFirstChoiceRadio); });
    return page;
}

QWidget* PreferencesSheet::translationPage() {
    auto* page = new QWidget;
    page->setToolTip(qs(strings::text(13003)));
    auto* grid = new QGridLayout(page);

    languages_ = new QListWidget;
    languages_->setIconSize(QSize(50, 35));
    languages_->setToolTip(qs(strings::text(9710)));
    for (int i = 0; i < kLanguageCount; ++i) {
        auto* item = new QListWidgetItem(QIcon(icons::listFlagPixmap(LanguageTable::listFlag(i), devicePixelRatioF())),
                                         QString());
        item->setSizeHint(QSize(60, 40));
        item->setToolTip(qs(LanguageTable::languageName(i)));
        languages_->addItem(item);
    }
    languages_->setFixedWidth(90);
    flag_ = new QToolButton;
    flag_->setIconSize(QSize(50, 35));
    flag_->setAutoRaise(true);
    name_ = new QLabel;
    fonts_ = textList(model_.fonts());
    sizes_ = textList(model_.sizes());
    sizes_->setFixedWidth(60);
    colours_ = new QListWidget;
    colours_->setItemDelegate(new ColourDelegate(colours_));
    for (int i = 0; i < 16; ++i) colours_->addItem(QString());
    colours_->setFixedWidth(70);
    sample_ = new SampleArea(model_, page);

    grid->addWidget(new QLabel(tr("Language")), 0, 0);
    grid->addWidget(languages_, 1, 0, 4, 1);
    auto* current = new QHBoxLayout;
    current->addWidget(flag_);
    current->addWidget(name_, 1);
    grid->addLayout(current, 0, 1, 1, 3);
    grid->addWidget(new QLabel(tr("Font")), 1, 1);
    grid->addWidget(new QLabel(tr("Size")), 1, 2);
    grid->addWidget(new QLabel(tr("Color")), 1, 3);
    grid->addWidget(fonts_, 2, 1);
    grid->addWidget(sizes_, 2, 2);
    grid->addWidget(colours_, 2, 3);
    grid->addWidget(new QLabel(tr("Example")), 3, 1);
    grid->addWidget(sample_, 4, 1, 1, 3);
    grid->setRowStretch(2, 1);

    selectRow(fonts_, model_.fontIndex());
    selectRow(sizes_, model_.sizeIndex());
    showLanguage();

    connect(languages_, &QListWidget::currentRowChanged, this, [this](int row) {
        model_.selectLanguage(row);
        showLanguage();
    });
    connect(fonts_, &QListWidget::currentRowChanged, this, [this](int row) {
        model_.selectFont(row);
        sample_->update();
    });
    connect(sizes_, &QListWidget::currentRowChanged, this, [this](int row) {
        model_.selectSize(row);
        sample_->update();
    });
    connect(colours_, &QListWidget::currentRowChanged, this, [this](int row) {
        model_.selectColour(row);
        sample_->update();
    });
    return page;
}

void PreferencesSheet::showLanguage() {
    const LanguageId id = model_.language();
    flag_->setIcon(QIcon(icons::languageFlagPixmap(id, devicePixelRatioF())));
    name_->setText(qs(LanguageTable::languageName(id)));
    selectRow(languages_, id);
    selectRow(fonts_, model_.fontIndex());
    selectRow(sizes_, model_.sizeIndex());
    selectRow(colours_, model_.colourIndex());
    sample_->update();
}

} // namespace lumora
