#pragma once
// A still picture of a phrase (a lesson's metafile) on the media window's grey, scaled to fit the
// view and centred. The file is read and recorded once when it is set; paints replay it. When it
// cannot be drawn (no metafile player installed, a damaged file), the view says so with the file's
// name instead of staying blank.
#include <optional>
#include <string>

#include <QWidget>

#include "foundation/ui/app_context.h"

namespace lumora {

class MediaPictureView final : public QWidget {
    Q_OBJECT
public:
    MediaPictureView(AppContext& context, QWidget* parent = nullptr);

    // A local path; "" clears the view.
    void setFile(const std::string& localPath);
    const std::string& file() const { return file_; }
    bool hasPicture() const { return recorded_.has_value(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    AppContext& context_;
    std::string file_;
    std::optional<RecordedPicture> recorded_;
};

} // namespace lumora
