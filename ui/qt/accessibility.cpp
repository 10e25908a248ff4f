#include "accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "controls.h"
#include "form1_layout.h"

namespace varvik::ui {

namespace {

// The window, with the shapes left out of its children.
class WindowAccessible : public QAccessibleWidget {
public:
    explicit WindowAccessible(QWidget* window) : QAccessibleWidget(window, QAccessible::Window) {}

    int childCount() const override { return static_cast<int>(Children().size()); }

    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> children = Children();
        return index >= 0 && index < children.size() ? QAccessible::queryAccessibleInterface(children[index])
                                                     : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child ? static_cast<int>(Children().indexOf(qobject_cast<QWidget*>(child->object()))) : -1;
    }

private:
    QList<QWidget*> Children() const
    {
        QList<QWidget*> children;
        for (QObject* object : widget()->children()) {
            auto* child = qobject_cast<QWidget*>(object);
            if (child && !child->isWindow() && !child->isHidden() && !qobject_cast<Shape*>(child))
                children.append(child);
        }
        return children;
    }
};

// A shape asked for directly reads as nothing a reader stops on.
class ShapeAccessible : public QAccessibleWidget {
public:
    explicit ShapeAccessible(QWidget* shape) : QAccessibleWidget(shape, QAccessible::NoRole) {}

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = true;
        return state;
    }
};

// The empty strip takes its place in the tab cycle; a reader meets it as a
// pane with a short name, not as a frame within the window.
class PaneAccessible : public QAccessibleWidget {
public:
    explicit PaneAccessible(QWidget* strip) : QAccessibleWidget(strip, QAccessible::Pane) {}
};

class LinkAccessible : public QAccessibleWidget {
public:
    explicit LinkAccessible(ClickLabel* label) : QAccessibleWidget(label, QAccessible::Link) {}

    // Its value is the address it opens.
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Value ? QString::fromUtf8(kHomepage) : QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& action) override
    {
        if (action == pressAction())
            emit static_cast<ClickLabel*>(widget())->clicked();
    }
};

QAccessibleInterface* Factory(const QString& className, QObject* object)
{
    if (className == QLatin1String("varvik::ui::Form1"))
        return new WindowAccessible(static_cast<QWidget*>(object));
    if (className == QLatin1String("varvik::ui::Shape"))
        return new ShapeAccessible(static_cast<QWidget*>(object));
    if (className == QLatin1String("varvik::ui::PictureBox"))
        return new PaneAccessible(static_cast<QWidget*>(object));
    if (className == QLatin1String("varvik::ui::ClickLabel"))
        return new LinkAccessible(static_cast<ClickLabel*>(object));
    return nullptr;
}

} // namespace

void InstallAccessibility()
{
    static const bool installed = (QAccessible::installFactory(Factory), true);
    (void)installed;
}

} // namespace varvik::ui
