#include "help/helpkey.h"

#include "help/helpwindow.h"

#include <QApplication>
#include <QKeyEvent>

#include <array>

namespace {

struct Section
{
    const char* element; // the object name of a window or of a panel shown inside it
    const char* page;
};

// Panels that cover part of a screen come before the screen that holds them.
constexpr std::array kSections{
    Section{"Picture11", "parents.html#graph"},         // graph panel on the study menu
    Section{"studyMap", "pupils.html#map"},             // the window 覚えた熟語
    Section{"practiceButtons", "pupils.html#practice"}, // practice walk on the drill screen
    Section{"reviewBack", "pupils.html#review"},        // review drill on the drill screen
    Section{"reviewFinish", "pupils.html#review"},      // its finish view
    Section{"writingScreen", "pupils.html#writing"},    // the writing drill and its finish view
    Section{"namesel", "pupils.html#names"},
    Section{"seisekitime1", "pupils.html#menu"},
    Section{"MainFrm", "pupils.html#drill"},
    Section{"FrmSyuuryou", "pupils.html#finish"},
    Section{"FrmName2", "parents.html#rename"},
    Section{"FormPrint0", "parents.html#print"},
    Section{"frmPrint", "parents.html#preview"},
    Section{"aboutBox", ""},
    Section{"helpWindow", "#use"}, // how to read the book
};

} // namespace

HelpKey::HelpKey(std::function<HelpWindow&()> help) : m_help(std::move(help))
{
    qApp->installEventFilter(this);
}

HelpKey::~HelpKey()
{
    qApp->removeEventFilter(this);
}

QString HelpKey::pageFor(const QWidget* window)
{
    // A message box or a drop-down list explains nothing itself: the window below it does.
    for (const QWidget* shown = window; shown;
         shown = shown->parentWidget() ? shown->parentWidget()->window() : nullptr) {
        for (const Section& section : kSections) {
            const QLatin1String element(section.element);
            const auto* inside = shown->findChild<QWidget*>(element);
            if (shown->objectName() == element ||
                (inside && inside->isVisible() && inside->window() == shown))
                return QLatin1String(section.page);
        }
    }
    return QString();
}

bool HelpKey::eventFilter(QObject* watched, QEvent* event)
{
    // Only widgets: the same key passes the window system's window first.
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier)
        return false;
    m_help().showPage(pageFor(static_cast<QWidget*>(watched)->window()));
    return true;
}
