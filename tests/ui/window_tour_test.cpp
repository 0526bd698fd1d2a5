// Every registered window, walked from the keyboard: Tab visits each entry a
// user can reach once and in reading order, and the window carries the
// program's icon. Windows registered later are walked the same way.

#include <QAbstractButton>
#include <QImage>
#include <QPixmap>
#include <QTabWidget>

#include <memory>

#include "tests/ui/KeyboardWalk.h"
#include "tests/ui/UiFixture.h"
#include "ui/framework/ProgramIcon.h"
#include "ui/framework/WindowRegistry.h"
#include "ui/main/Windows.h"

using namespace qv;
using namespace qv::ui;
using qv::testing::UiTest;

namespace {

std::string describe(QWidget* w) {
    QString text = w->objectName();
    if (auto* b = qobject_cast<QAbstractButton*>(w)) text += " \"" + b->text() + "\"";
    return (QString(w->metaObject()->className()) + " " + text).toStdString();
}

std::string describe(const std::vector<QWidget*>& ws) {
    std::string out;
    for (QWidget* w : ws) out += "\n  " + describe(w);
    return out;
}

// Every registered window, opened as a user opens it.
class EveryWindow : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        addUser("pat", "secret1", "Administrator", "Pat Angler");
        g_.UserId = "pat";
        g_.UserName = "Pat Angler";
        g_.SecurityLevel = "Administrator";
        registerAllWindows();
    }
    template <typename F>
    void forEachWindow(F check) {
        for (const QString& name : registeredWindows()) {
            SCOPED_TRACE(name.toStdString());
            std::unique_ptr<QWidget> w(createWindow(name, ctx()));
            ASSERT_NE(w, nullptr);
            check(w.get());
        }
    }
};

}  // namespace

TEST_F(EveryWindow, TabVisitsEachEntryOnceInReadingOrder) {
    forEachWindow([](QWidget* w) {
        qv::testing::showActive(w);
        auto* tabs = w->findChild<QTabWidget*>();
        for (int page = 0; page < (tabs ? tabs->count() : 1); ++page) {
            if (tabs) {
                tabs->setCurrentIndex(page);
                QApplication::processEvents();
            }
            SCOPED_TRACE(tabs ? tabs->tabText(page).toStdString() : "");
            const auto entries = qv::testing::tabEntries(w);
            if (entries.empty()) continue;
            QWidget* focus = QApplication::focusWidget();
            if (!focus || focus->window() != w || !focus->isVisible()) entries.front()->setFocus();
            const auto chain = qv::testing::tabChain(w);
            EXPECT_EQ(qv::testing::entriesOf(chain), qv::testing::entriesOf(entries))
                << "visited:" << describe(chain) << "\nreachable:" << describe(entries);
            EXPECT_EQ(qv::testing::entriesOf(chain).size(), chain.size()) << "visited twice:" << describe(chain);
            const auto read = qv::testing::fromTop(chain);
            for (size_t i = 1; i < read.size(); ++i)
                EXPECT_TRUE(qv::testing::readsBefore(read[i - 1], read[i]))
                    << describe(read[i - 1]) << " is read after " << describe(read[i]) << " in" << describe(read);
        }
    });
}

TEST_F(EveryWindow, CarriesTheProgramsIconDrawnAtEverySize) {
    applyProgramIcon(*qApp);
    for (int size : {16, 32, 256}) {
        QImage image = programIcon().pixmap(size, size).toImage();
        ASSERT_EQ(image.size(), QSize(size, size)) << "the icon does not render at " << size << " px";
        int drawn = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) drawn += qAlpha(image.pixel(x, y)) > 0;
        EXPECT_GT(drawn, size * size / 2) << "the icon is nearly blank at " << size << " px";
    }
    forEachWindow([](QWidget* w) {
        EXPECT_FALSE(w->windowIcon().isNull());
        EXPECT_EQ(w->windowIcon().cacheKey(), programIcon().cacheKey());
    });
}
