#pragma once

#include <QPushButton>

namespace wirevane {

// A push button for a caption the user chose, which may be longer than the button is wide: a
// caption that does not fit is shortened with "…" at its end and given whole as the tooltip.
// The button asks for no more width than its shortest form needs.
class CaptionButton final : public QPushButton {
    Q_OBJECT
public:
    explicit CaptionButton(QWidget* parent = nullptr);

    void SetCaption(const QString& caption);
    const QString& Caption() const { return m_caption; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ShowCaption();

    QString m_caption;
};

} // namespace wirevane
