#pragma once

#include <QDBusConnection>
#include <QProcess>

#include <gtest/gtest.h>

// A bus of the test's own, with the services' side and mpgfix's side on connections of their
// own; the daemon is killed and reaped, and the names given up, with the fixture.
class PrivateBus : public testing::Test {
protected:
    void SetUp() override
    {
        daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
        if (!daemon.waitForReadyRead(5000))
            GTEST_SKIP() << "no dbus-daemon";
        const QString address = QString::fromUtf8(daemon.readLine()).trimmed();
        serviceBus = QDBusConnection::connectToBus(address, "service");
        appBus = QDBusConnection::connectToBus(address, "app");
    }
    ~PrivateBus() override
    {
        QDBusConnection::disconnectFromBus("service");
        QDBusConnection::disconnectFromBus("app");
        daemon.kill(), daemon.waitForFinished();
    }

    QProcess daemon;
    QDBusConnection serviceBus{"service"}, appBus{"app"};
};
