#pragma once

#include <QPixmap>
#include <QPointer>
#include <QWidget>

class QAbstractButton;
class QFrame;

// A modal panel drawn inside a view rather than as a separate window. While open, it covers
// the whole of `over` with a dimming layer (black at 0.25, 0.5 on a dark palette) that
// swallows every click, and shows the content centred on a rounded (12 pt) panel with a soft
// shadow (black at 0.33, radius 24). The content sizes itself; the overlay imposes no size.
//
// Keys: Return and Enter click the content's enabled default QPushButton; Escape clicks the
// button marked with setCancelButton. Tab and Backtab cycle inside the content, and focus that
// moves elsewhere in `over` while open is taken back: the view below cannot be reached.
//
// The overlay never closes by itself: only close() (normally the content's own close action)
// ends it. Main thread only.
class ModalOverlay : public QWidget {
    Q_OBJECT
public:
    // A hidden child of `over` that follows its size.
    explicit ModalOverlay(QWidget* over);
    ~ModalOverlay() override;

    // Shows `content` and takes ownership of it. Content already open is replaced (and deleted
    // once control returns to the event loop).
    void open(QWidget* content);
    // Hides the overlay, deletes the content once control returns to the event loop (so that a
    // button of the content may call this from its own click), gives the focus back to where
    // it was before open, and emits closed(). Does nothing when not open.
    void close();

    bool isOpen() const { return content_ != nullptr; }
    QWidget* content() const { return content_; }
    // The rounded panel that holds the content (for tests and screenshots).
    QFrame* panel() const { return panel_; }

    // Marks `button` as the one Escape clicks while its overlay is open.
    static void setCancelButton(QAbstractButton* button);

Q_SIGNALS:
    void opened();
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    QList<QWidget*> focusableChildren() const;
    void focusFirstChild();
    void takeBackFocus(QWidget* now);
    QAbstractButton* buttonFor(int key) const;

    QFrame* panel_ = nullptr;
    QPixmap shadow_; // blurred for a panel of shadowFor_'s size
    QSize shadowFor_;
    QPointer<QWidget> content_;
    QPointer<QWidget> focusBeforeOpen_;
};
