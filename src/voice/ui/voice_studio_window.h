#pragma once
// The voice studio window (CRecFrame): the comparison graph on the left; on the right the studio
// form over the ideogram pane. It carries the studio's course document and answers the requests
// of the form and of the voice files (captions, redraws, the three media windows, messages).
#include <memory>

#include <QComboBox>
#include <QListWidget>
#include <QPointer>

#include "course/cours_doc.h"
#include "course/picture_view.h"
#include "course/ui/picture_view_widget.h"
#include "foundation/ui/activity.h"
#include "voice/spectre_form.h"
#include "voice/ui/voice_graph_widget.h"
#include "voice/ui/voice_media_window.h"
#include "voice/voice_graph.h"
#include "voice/voice_studio.h"

class QDialog;
class QMainWindow;
class QPrinter;
class QSplitter;
class QToolBar;

namespace lumora {

class IdeogramPane;
class QtRecorder;

class VoiceStudioActivity final : public Activity, public StudioFormFrame, public VoiceWindows, public CommandTarget {
public:
    // The recorder defaults to the platform's microphone.
    explicit VoiceStudioActivity(ActivityHost& host, std::unique_ptr<Recorder> recorder = {});
    ~VoiceStudioActivity() override;

    // Activity
    ActivityTemplateId templateId() const override { return ActivityTemplateId::VoiceStudio; }
    bool open(const std::string& fileName) override;
    QWidget* widget() override;
    std::vector<CommandTarget*> commandTargets() override;
    void start() override;
    void activated() override;
    void closing() override;
    QString initialCaption() const override;

    // StudioFormFrame
    void setChildCaption(const std::string& caption) override;
    void pictureChanged() override;
    void listsChanged() override;

    // VoiceWindows
    void openVoice(VoiceSlot slot, const std::string& localPath) override;
    void closeVoice(VoiceSlot slot) override;
    void stopVoice(VoiceSlot slot) override;
    void voicesChanged() override;
    void learnerMessage(const std::string& text) override;

    SpectreForm& form() { return form_; }
    VoiceStudio& studio() { return studio_; }
    VoiceGraph& graph() { return graph_; }
    CCoursDoc& document() { return doc_; }
    VoiceMediaWindow* mediaWindow(VoiceSlot slot) const { return media_[static_cast<int>(slot)].data(); }
    VoiceGraphWidget* graphWidget() const { return graphWidget_; }
    QListWidget* phraseList() const { return phrases_; }
    QComboBox* lessonList() const { return lessons_; }
    QSplitter* outerSplitter() const { return outer_; }
    void toggleRecording();
    void printGraph(QPrinter* printer);

private:
    void declareCommands();
    QWidget* buildForm(int screenHeight);
    void fillLists();
    void setWait(bool on);
    void printPreview();
    void print();

    ActivityHost& host_;
    CCoursDoc doc_;
    std::unique_ptr<Recorder> recorder_;
    VoiceStudio studio_;
    SpectreForm form_;
    VoiceGraph graph_;
    PictureView paneView_;
    StateSubscription graphState_;
    QMainWindow* window_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QSplitter* outer_ = nullptr;
    // The widgets belong to the child window, which may delete them before the activity.
    QPointer<VoiceGraphWidget> graphWidget_;
    QPointer<PictureViewWidget> pane_; // the ideogram pane
    IdeogramPane* ideograms() const;
    QPointer<QComboBox> lessons_;
    QPointer<QListWidget> phrases_;
    QPointer<VoiceMediaWindow> media_[3];
    QPointer<QDialog> wait_;
    bool filling_ = false;
    bool closed_ = false;
    bool started_ = false;
};

} // namespace lumora
