#include "course/ui/direct_access_dialog.h"

#include <algorithm>

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

#include "course/ui/content_fonts.h"
#include "foundation/language_table.h"
#include "platform/qt_text.h"
#include "resources/string_table.h"
#include "resources/ui/icons.h"

namespace lumora {

namespace {

// A language item: its list flag inset by 2 pixels in an item 40 pixels high, the name beside it,
// and a focus rectangle around the focused item.
class FlagDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return QSize(option.rect.width() > 0 ? option.rect.width() : 200, 40);
    }
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        p->save();
        const bool selected = option.state & QStyle::State_Selected;
        p->fillRect(option.rect, selected ? option.palette.highlight() : option.palette.base());
        const QRect flag(option.rect.left() + 2, option.rect.top() + 2, icons::kFlagWidth, icons::kFlagHeight + 1);
        icons::paintBitmap(*p, LanguageTable::listFlag(index.row()), QRectF(flag));
        p->setPen(selected ? option.palette.highlightedText().color() : option.palette.text().color());
        p->drawText(option.rect.adjusted(icons::kFlagWidth + 10, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft,
                    index.data(Qt::DisplayRole).toString());
        if (option.state & QStyle::State_HasFocus) {
            QPen pen(option.palette.text().color(), 1, Qt::DotLine);
            p->setPen(pen);
            p->setBrush(Qt::NoBrush);
            p->drawRect(option.rect.adjusted(0, 0, -1, -1));
        }
        p->restore();
    }
};
} // namespace

DirectAccessDialog::DirectAccessDialog(DirectAccessModel& model, int screenWidth, QWidget* parent)
    : QDialog(parent), model_(model), layout_(DirectAccessModel::layoutFor(screenWidth)) {
    setObjectName(QStringLiteral("DirectAccessDialog"));
    setWindowTitle(qs(strings::text(layout_)));
    const bool large = layout_ == DirectAccessModel::kLargeLayout;

    lessons_ = new QComboBox;
    lessons_->setObjectName(QStringLiteral("lessons1160"));
    for (const std::string& t : model_.lessonItems()) lessons_->addItem(qs(t));
    lessons_->setCurrentIndex(std::clamp(model_.lesson(), -1, lessons_->count() - 1));
    lessons_->setMinimumWidth(large ? 420 : 260);

    pages_ = new QListWidget;
    pages_->setObjectName(QStringLiteral("pages1140"));
    pages_->setMinimumSize(large ? 440 : 270, 240);
    pages_->setAlternatingRowColors(true);

    languages_ = new QListWidget;
    languages_->setObjectName(QStringLiteral("languages28680"));
    languages_->setItemDelegate(new FlagDelegate(languages_));
    languages_->setUniformItemSizes(true);
    languages_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int id = 0; id < kLanguageCount; ++id) languages_->addItem(qs(LanguageTable::languageName(id)));
    languages_->setMinimumWidth(large ? 230 : 190);

    languageName_ = new QLabel(tr("Lang From"));
    languageName_->setObjectName(QStringLiteral("language1150"));
    QFont nameFont = languageName_->font();
    nameFont.setBold(true);
    languageName_->setFont(nameFont);
    flagButton_ = new QToolButton;
    flagButton_->setObjectName(QStringLiteral("flag18750"));
    flagButton_->setIconSize(QSize(icons::kFlagWidth, icons::kFlagHeight));
    flagButton_->setAutoRaise(true);

    auto* voiceBox = new QGroupBox(tr("Voice"));
    auto* voiceLayout = new QVBoxLayout(voiceBox);
    auto* group = new QButtonGroup(this);
    const char* voiceTexts[] = {"Male and Female voice", "Male voice", "Female voice", "Voice off"};
    for (int i = 0; i < 4; ++i) {
        voices_[i] = new QRadioButton(tr(voiceTexts[i]));
        voices_[i]->setObjectName(QStringLiteral("voice%1").arg(DirectAccessModel::kFirstVoiceButton + i));
        group->addButton(voices_[i], i);
        voiceLayout->addWidget(voices_[i]);
    }
    voices_[model_.voice()]->setChecked(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Lesson")), 0, 0);
    grid->addWidget(lessons_, 0, 1);
    auto* langHead = new QHBoxLayout;
    langHead->addWidget(flagButton_);
    langHead->addWidget(languageName_, 1);
    grid->addLayout(langHead, 0, 2);
    grid->addWidget(new QLabel(tr("Pages")), 1, 0, Qt::AlignTop);
    grid->addWidget(pages_, 1, 1);
    grid->addWidget(languages_, 1, 2);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(1, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(voiceBox);
    bottom->addStretch(1);
    bottom->addWidget(buttons, 0, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(bottom);

    showLanguage();
    fillPages();

    connect(lessons_, &QComboBox::currentIndexChanged, this, [this](int index) {
        model_.chooseLesson(index);
        fillPages();
    });
    connect(pages_, &QListWidget::currentRowChanged, this, [this](int row) { model_.choosePage(row); });
    connect(languages_, &QListWidget::currentRowChanged, this, [this](int row) {
        model_.chooseLanguage(row);
        showLanguage();
        fillPages();
    });
    connect(group, &QButtonGroup::idClicked, this, [this](int id) { model_.chooseVoice(id); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(large ? 860 : 620, 520);
}

void DirectAccessDialog::showLanguage() {
    languageName_->setText(qs(model_.languageName()));
    flagButton_->setIcon(QIcon(icons::flagPixmap(qs(model_.languageFlag()), devicePixelRatioF())));
    QSignalBlocker b(languages_);
    languages_->setCurrentRow(model_.language());
}

void DirectAccessDialog::fillPages() {
    QSignalBlocker b(pages_);
    pages_->clear();
    const TextFont& tf = model_.pageFont();
    // The page list's font: the dialog language's face and size (normal weight, variable pitch).
    pages_->setFont(contentFont(tf.face, tf.encoding, std::clamp(tf.height, 12, 36)));
    const auto texts = model_.pageItemTexts();
    for (std::size_t i = 0; i < texts.size(); ++i) {
        QString t = qs(texts[i]);
        if (t.trimmed().isEmpty()) t = tr(" Page %1 ").arg(i + 1);
        pages_->addItem(t);
    }
    if (model_.page() >= 0 && model_.page() < pages_->count()) pages_->setCurrentRow(model_.page());
}

} // namespace lumora
