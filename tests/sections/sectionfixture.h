#pragma once

#include "widgets/stringgrid.h"
#include "history/historystore.h"
#include "sections/sectionpages.h"
#include "sectiontestdb.h"
#include "support/fakehost.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace mhbk::test {

// The section pages installed on a fake main window over a small database of made-up rows.
class SectionPagesTest : public ::testing::Test {
protected:
    SectionPagesTest()
    {
        for (const char *table : {"circle", "sqare", "Hexagon", "steelboard", "NoSewType", "ColdSewType",
                                  "NicetyNoSew", "BoilerNoSew", "stainlessHot", "stainlessCold"})
            db.addNumberedTable(QString::fromLatin1(table), 2, 3);
        db.addNumberedTable(QStringLiteral("Rectangle"), 3, 3);
        db.addNumberedTable(QStringLiteral("SeelTube"), 6, 3);
        db.addNumberedTable(QStringLiteral("SleeveTube"), 4, 3);
        db.addNumberedTable(QStringLiteral("ScrewTube"), 3, 3);
        db.addNumberedTable(QStringLiteral("Regular"), 4, 3);
        for (const char *table : {"NoRegular", "Ishaped", "LightIshaped", "groove", "Lightgroove"})
            db.addNumberedTable(QString::fromLatin1(table), 5, 3);
        db.addCheckeredTable({{"2.5", "1.0", "21.6", "1.0", "21.3"}, {"3.0", "1.0", "25.6", "1.0", "24.4"}});
        db.addDensityTable({{QStringLiteral("灰口铸铁"), QStringLiteral("6.6~7.4")},
                            {QStringLiteral("纯铝"), QStringLiteral("2.7")},
                            {QStringLiteral("59、62、65、68黄铜"), QStringLiteral("8.5")}});
        host = std::make_unique<FakePageHost>(db.path());
        installSectionPages(*host, &history);
    }

    template <class T = QLineEdit>
    T *widget(int page, const char *name)
    {
        T *found = host->page(page)->findChild<T *>(QString::fromLatin1(name));
        if (!found) {
            // Pages are built on their first showing, as the user reaches them.
            host->showPage(page);
            found = host->page(page)->findChild<T *>(QString::fromLatin1(name));
        }
        if (!found)
            ADD_FAILURE() << "no " << name << " on page " << page;
        return found;
    }

    StringGrid *grid(int page, const char *name) { return widget<StringGrid>(page, name); }

    // Types the text key by key, as the user would, then optionally presses Enter.
    void type(QLineEdit *edit, const QString &keys, bool enter = true)
    {
        QTest::keyClicks(edit, keys);
        if (enter)
            QTest::keyClick(edit, Qt::Key_Return);
    }

    void setAndEnter(QLineEdit *edit, const QString &text)
    {
        edit->setText(text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    RecordingReporter &messages() { return host->recorder(); }

    SmallHandbook db;
    history::HistoryStore history{QString()}; // in memory
    std::unique_ptr<FakePageHost> host;
};

} // namespace mhbk::test
