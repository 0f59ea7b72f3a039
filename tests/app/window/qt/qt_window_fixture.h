#pragma once

// The window program's fixture for the tests that look into the Qt widgets themselves.

#include <QApplication>
#include <QTest>

#include "components/qt/qt_application.h"

#include "tests/app/window/window_fixture.h"
#include "tests/support/widget_of.h"
