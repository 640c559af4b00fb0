#include <gtest/gtest.h>

#include <QApplication>

#include "app/initialisation.h"
#include "app/sansfaute.h"

namespace {

// A fault that a handler contained is still a fault: the test in which it
// happened fails.
class fautes : public ::testing::EmptyTestEventListener {
    long avant = 0;
    void OnTestStart(const ::testing::TestInfo&) override { avant = qm::fautescontenues; }
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        const long n = qm::fautescontenues - avant;
        if (n != 0)
            ADD_FAILURE() << n << " faute(s) contenue(s) par les gestionnaires pendant ce test";
    }
};

} // namespace

// The windows under test need the application the program itself prepares.
int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    qm::preparerapplication(application);
    QApplication::setCursorFlashTime(0);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new fautes);
    return RUN_ALL_TESTS();
}
