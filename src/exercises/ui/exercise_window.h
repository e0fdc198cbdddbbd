#pragma once
// The windows of the three exercises: the set-up form (picture and translation) or the header
// (verify) on the left; on the right the question form above the exercise's media pane and the
// ideogram picture. The decisions are the core's (ExerciseSession, exercise_setup.h); these widgets
// show its state and forward what the learner does.
#include <array>
#include <memory>

#include <QDialog>
#include <QPointer>
#include <QWidget>

#include "exercises/ex_transl_doc.h"
#include "exercises/exercise_session.h"
#include "foundation/playback.h"
#include "foundation/ui/activity.h"

class QAudioOutput;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMediaPlayer;
class QPushButton;
class QRadioButton;
class QToolButton;
class QVideoWidget;

namespace lumora {

class MediaPictureView;

// The ideogram picture of the question ("Acquis"/"Simplify" or "Traditional" as the document's
// ideogram set says).
class ExercisePictureView final : public QWidget {
    Q_OBJECT
public:
    ExercisePictureView(AppContext& context, const CExTranslDoc& doc, QWidget* parent);
    void reload();
    bool hasPicture() const { return !image_.isNull(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    AppContext& context_;
    const CExTranslDoc& doc_;
    QImage image_;
};

// "The correct answer is": the question and the right answer, each beside its picture.
class AnswerDialog final : public QDialog {
    Q_OBJECT
public:
    AnswerDialog(AppContext& context, const ExerciseSession& session, QWidget* parent);
    QLineEdit* questionField() const { return question_; }
    QLineEdit* answerField() const { return answer_; }

private:
    QLineEdit* question_ = nullptr;
    QLineEdit* answer_ = nullptr;
};

class ExerciseFrame;

class ExerciseActivity final : public Activity, public CommandTarget, public ExerciseViews {
public:
    ExerciseActivity(ActivityHost& host, ExerciseKind kind);
    ~ExerciseActivity() override;

    ActivityTemplateId templateId() const override;
    bool open(const std::string& fileName) override;
    QWidget* widget() override;
    std::vector<CommandTarget*> commandTargets() override { return {this, doc_.get()}; }
    void start() override;
    void activated() override;
    void closing() override;
    QString initialCaption() const override;

    ExerciseSession* session() const { return session_.get(); }
    ExerciseFrame* frame() const { return frame_.data(); }
    CExTranslDoc& document() { return *doc_; }

    // ExerciseViews
    void setAnswersVisible(bool visible) override;
    void questionChanged() override;
    void picturesChanged() override;
    void showMedia() override;
    void hideMedia() override;
    void showAnswerDialog() override;
    void openCourse() override;

private:
    ActivityHost& host_;
    ExerciseKind kind_;
    PlaybackRunner runner_;
    std::unique_ptr<CExTranslDoc> doc_;
    std::unique_ptr<ExerciseSession> session_;
    QPointer<ExerciseFrame> frame_;
    bool started_ = false;
    bool closed_ = false;
};

class ExerciseFrame final : public QWidget {
    Q_OBJECT
public:
    ExerciseFrame(ActivityHost& host, ExerciseActivity& activity, ExerciseKind kind, QWidget* parent = nullptr);
    ~ExerciseFrame() override;

    void initialUpdate(); // the set-up form (or header) from the document
    void refreshQuestion();
    void refreshVisibility(bool visible);
    void refreshHint();
    void fitChoiceTexts();
    void openMedia();
    void closeMedia();
    void openAnswerDialog();
    void updateTitle();
    // The question form's redraw: the session presents what is due.
    void schedulePaint();

    QListWidget* fromList() const { return fromList_; }
    QListWidget* toList() const { return toList_; }
    QListWidget* lessonList() const { return lessons_; }
    QListWidget* selectedList() const { return selected_; }
    QPushButton* applyButton() const { return apply_; }
    QCheckBox* realTimeBox() const { return realTime_; }
    QPushButton* addButton() const { return add_; }
    QPushButton* removeButton() const { return remove_; }
    QPushButton* questionButton() const { return question_; }
    QRadioButton* choice(int slot) const { return choices_[static_cast<std::size_t>(slot)]; }
    QToolButton* faceButton() const { return face_; }
    QLabel* scoreLabel() const { return score_; }
    // What to do next, shown instead of the answers while there is no question to answer.
    QLabel* emptyHint() const { return hint_; }
    QWidget* mediaPane() const { return mediaPane_; }
    MediaPictureView* mediaPicture() const { return still_; }
    ExercisePictureView* pictureView() const { return picture_; }
    AnswerDialog* answerDialog() const { return dialog_.data(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildSetupForm();
    QWidget* buildHeader();
    QWidget* buildQuestionForm();
    QWidget* buildMediaPane();
    void languageChosen(bool from, int row);
    void showLanguages();
    void markLanguageRows();
    void moveToSelected();
    void removeFromSelected();
    void apply();
    std::vector<std::string> selectedItems() const;
    QFont languageFont(LanguageId id) const;
    QString decode(const std::string& bytes, LanguageId id) const;

    ActivityHost& host_;
    ExerciseActivity& activity_;
    ExerciseKind kind_;
    ExerciseRandom& random_;
    QListWidget* fromList_ = nullptr;
    QListWidget* toList_ = nullptr;
    QToolButton* fromFlag_ = nullptr;
    QToolButton* toFlag_ = nullptr;
    QLabel* fromName_ = nullptr;
    QLabel* toName_ = nullptr;
    QListWidget* lessons_ = nullptr;
    QListWidget* selected_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* remove_ = nullptr;
    QCheckBox* realTime_ = nullptr;
    QPushButton* apply_ = nullptr;
    QPushButton* question_ = nullptr;
    std::array<QRadioButton*, 5> choices_{};
    QToolButton* face_ = nullptr;
    QLabel* score_ = nullptr;
    QLabel* hint_ = nullptr;
    QWidget* questionForm_ = nullptr;
    QWidget* mediaPane_ = nullptr;
    QVideoWidget* video_ = nullptr;
    MediaPictureView* still_ = nullptr;
    std::unique_ptr<QAudioOutput> audio_;
    std::unique_ptr<QMediaPlayer> player_;
    ExercisePictureView* picture_ = nullptr;
    QPointer<AnswerDialog> dialog_;
    // True until the initial update: the lists' own first selections (a list taking focus picks
    // its first row) are not the learner's choices.
    bool updating_ = true;
    bool paintPending_ = false;
};

} // namespace lumora
