#include "views/kit/ModalOverlay.h"

#include "views/kit/Tints.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFrame>
#include <QGraphicsDropShadowEffect>
#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr double dimmingOpacity = 0.25;
// Black at a quarter barely darkens a dark window; there it takes half to read as dimmed.
constexpr double darkDimmingOpacity = 0.5;
constexpr double cornerRadius = 12;
constexpr double shadowOpacity = 0.33;
constexpr double shadowRadius = 24;
constexpr const char* cancelProperty = "modalOverlayCancel";

// The panel behind the content: the window colour in a rounded rectangle. The desktop has no
// translucent material to borrow, and a see-through panel over dimmed rows would hurt the
// reading of the fields, so it is opaque.
class RoundedPanel : public QFrame {
public:
    using QFrame::QFrame;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()), cornerRadius, cornerRadius);
        painter.fillPath(shape, palette().color(QPalette::Window));
    }
};

// The panel's soft shadow, blurred once for a panel of this size: a blur on every repaint
// (a graphics effect on the panel) made each progress step redraw it.
QPixmap blurredShadow(QSize panelSize)
{
    QImage shape(panelSize, QImage::Format_ARGB32_Premultiplied);
    shape.fill(Qt::transparent);
    {
        QPainter painter(&shape);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath outline;
        outline.addRoundedRect(QRectF(shape.rect()), cornerRadius, cornerRadius);
        painter.fillPath(outline, Qt::black);
    }
    QGraphicsScene scene;
    QGraphicsPixmapItem* item = scene.addPixmap(QPixmap::fromImage(shape));
    auto* shadow = new QGraphicsDropShadowEffect;
    shadow->setColor(QColor::fromRgbF(0, 0, 0, shadowOpacity));
    shadow->setBlurRadius(shadowRadius);
    shadow->setOffset(0, 0);
    item->setGraphicsEffect(shadow);
    const int margin = int(shadowRadius);
    QPixmap blurred(panelSize + QSize(2 * margin, 2 * margin));
    blurred.fill(Qt::transparent);
    QPainter painter(&blurred);
    scene.render(&painter, QRectF(blurred.rect()), QRectF(-margin, -margin, blurred.width(), blurred.height()));
    return blurred;
}

} // namespace

ModalOverlay::ModalOverlay(QWidget* over) : QWidget(over)
{
    setObjectName(QStringLiteral("modalOverlay"));
    setAttribute(Qt::WA_NoMousePropagation);
    setFocusPolicy(Qt::NoFocus);
    hide();

    panel_ = new RoundedPanel(this);
    panel_->setObjectName(QStringLiteral("modalOverlayPanel"));
    auto* panelLayout = new QVBoxLayout(panel_);
    panelLayout->setContentsMargins(0, 0, 0, 0);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel_, 0, Qt::AlignCenter);

    setGeometry(over->rect());
    over->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { takeBackFocus(now); });
}

ModalOverlay::~ModalOverlay() = default;

void ModalOverlay::setCancelButton(QAbstractButton* button) { button->setProperty(cancelProperty, true); }

void ModalOverlay::open(QWidget* content)
{
    if (content_) {
        content_->hide();
        content_->deleteLater(); // it may be what called open()
    } else {
        focusBeforeOpen_ = QApplication::focusWidget();
    }
    content_ = content;
    panel_->layout()->addWidget(content);
    setGeometry(parentWidget()->rect());
    raise();
    show();
    focusFirstChild();
    Q_EMIT opened();
}

void ModalOverlay::close()
{
    if (!content_)
        return;
    QWidget* content = content_;
    content_ = nullptr;
    hide();
    content->hide();
    content->deleteLater();
    if (focusBeforeOpen_)
        focusBeforeOpen_->setFocus(Qt::OtherFocusReason);
    focusBeforeOpen_ = nullptr;
    Q_EMIT closed();
}

bool ModalOverlay::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget()) {
        if (event->type() == QEvent::Resize)
            setGeometry(parentWidget()->rect());
        else if (event->type() == QEvent::ChildAdded && isVisible())
            raise(); // stay above widgets the view adds while open
    }
    return QWidget::eventFilter(watched, event);
}

void ModalOverlay::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgbF(0, 0, 0, Tints::isDark(palette()) ? darkDimmingOpacity : dimmingOpacity));
    if (shadow_.isNull() || shadowFor_ != panel_->size()) {
        shadowFor_ = panel_->size();
        shadow_ = blurredShadow(shadowFor_);
    }
    const int margin = int(shadowRadius);
    painter.drawPixmap(panel_->pos() - QPoint(margin, margin), shadow_);
}

// A click, wheel turn or context-menu request on the dimmed area (or the panel's margin)
// stops here: it neither reaches the view below nor closes the overlay.
void ModalOverlay::mousePressEvent(QMouseEvent* event) { event->accept(); }
void ModalOverlay::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }
void ModalOverlay::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }
void ModalOverlay::wheelEvent(QWheelEvent* event) { event->accept(); }
void ModalOverlay::contextMenuEvent(QContextMenuEvent* event) { event->accept(); }

// Key presses the content's fields leave unhandled (QLineEdit leaves Return and Escape) bubble
// up to here.
void ModalOverlay::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() & ~Qt::KeypadModifier) {
        event->accept();
        return;
    }
    if (QAbstractButton* button = buttonFor(event->key())) {
        button->click();
        event->accept();
        return;
    }
    event->accept(); // nothing else reaches the view below
}

QAbstractButton* ModalOverlay::buttonFor(int key) const
{
    if (!content_)
        return nullptr;
    const QList<QAbstractButton*> buttons = content_->findChildren<QAbstractButton*>();
    for (QAbstractButton* button : buttons) {
        if (!button->isEnabled() || !button->isVisible())
            continue;
        if (key == Qt::Key_Escape && button->property(cancelProperty).toBool())
            return button;
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (auto* push = qobject_cast<QPushButton*>(button); push && push->isDefault())
                return push;
        }
    }
    return nullptr;
}

QList<QWidget*> ModalOverlay::focusableChildren() const
{
    QList<QWidget*> found;
    if (!content_)
        return found;
    // The focus chain gives the Tab order; keep the part of it inside the content.
    for (QWidget* widget = nextInFocusChain(); widget && widget != this; widget = widget->nextInFocusChain()) {
        if ((widget == content_ || content_->isAncestorOf(widget)) && widget->isVisibleTo(this)
            && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus))
            found.append(widget);
    }
    return found;
}

void ModalOverlay::focusFirstChild()
{
    const QList<QWidget*> children = focusableChildren();
    if (!children.isEmpty())
        children.first()->setFocus(Qt::TabFocusReason);
    else if (content_)
        content_->setFocus(Qt::OtherFocusReason);
}

bool ModalOverlay::focusNextPrevChild(bool next)
{
    const QList<QWidget*> children = focusableChildren();
    if (children.isEmpty())
        return true;
    const qsizetype at = children.indexOf(QApplication::focusWidget());
    const qsizetype count = children.size();
    const qsizetype target = at < 0 ? 0 : (at + (next ? 1 : count - 1)) % count;
    children[target]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

// Focus that lands in the covered view (a click that slipped through, a shortcut, a view
// that focuses itself on a change) goes back to the content.
void ModalOverlay::takeBackFocus(QWidget* now)
{
    if (!content_ || !isVisible() || !now || now == this || isAncestorOf(now))
        return;
    if (parentWidget()->isAncestorOf(now) || now == parentWidget())
        focusFirstChild();
}
