// Test entry: isolates the user's files (HOME, XDG_*, TMPDIR) in a private
// folder, then creates the Qt application the suite needs.
#include <QDir>
#include <QTemporaryDir>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <cstring>

#ifdef OSTREVIA_TEST_GUI
#include <QApplication>
#else
#include <QCoreApplication>
#endif

namespace {

bool tylkoLista(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0)
            return true;
    return false;
}

void izolujKatalogiUzytkownika(const QString &korzen)
{
    const char *podkatalogi[][2] = {
        {"HOME", "home"},
        {"XDG_CONFIG_HOME", "config"},
        {"XDG_DATA_HOME", "data"},
        {"XDG_CACHE_HOME", "cache"},
        {"XDG_RUNTIME_DIR", "runtime"},
        {"TMPDIR", "tmp"},
    };
    for (auto &para : podkatalogi) {
        const QString sciezka = korzen + QLatin1Char('/') + QLatin1String(para[1]);
        QDir().mkpath(sciezka);
        QFile::setPermissions(sciezka, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                           | QFileDevice::ExeOwner);
        qputenv(para[0], sciezka.toLocal8Bit());
    }
}

} // namespace

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (tylkoLista(argc, argv))
        return RUN_ALL_TESTS();

    QTemporaryDir korzen(QDir::tempPath() + QStringLiteral("/ostrevia-test-XXXXXX"));
    if (!korzen.isValid())
        return 2;
    izolujKatalogiUzytkownika(korzen.path());

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef OSTREVIA_TEST_GUI
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    return RUN_ALL_TESTS();
}
