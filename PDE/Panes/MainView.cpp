#include "MainView.h"

MainView::MainView(QWidget *parent) : QWidget(parent) {}
