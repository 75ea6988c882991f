#include "MainView.h"

#include "ClassRegistry.h"

TINT_REGISTER_WIDGET_CLASS(MainView);

MainView::MainView(QWidget *parent) : QWidget(parent) {}
