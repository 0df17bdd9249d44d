#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <string>
#include <string_view>

class QProgressDialog;
class QWidget;

namespace wirevane {

// Types a long paste a slice per event-loop turn behind a progress dialog, so the window keeps
// answering while it goes out. A line slower than the window, or one held back, takes the paste
// at its own pace: while the port still has much to send, the next slice waits, and the progress
// shows what the line took. The dialog's stop button ends it, and so does a slice the port no
// longer takes (the port was disconnected). Deletes itself when done.
class PasteSender : public QObject {
    Q_OBJECT
public:
    enum class Slice { Typed, PortBusy, PortGone };
    // typeSlice types the keys given, or answers why it did not.
    using TypeSlice = std::function<Slice(std::u16string_view keys)>;

    PasteSender(QWidget* dialogParent, std::u16string keys, TypeSlice typeSlice);
    ~PasteSender() override;

    void Start();
    void Cancel();
    QProgressDialog* dialog() const { return m_dialog; }

signals:
    void Finished();

private:
    void SendSlice();
    void Finish();

    std::u16string m_keys;
    TypeSlice m_typeSlice;
    std::size_t m_sent = 0;
    QProgressDialog* m_dialog;
    QTimer m_tick;
};

} // namespace wirevane
