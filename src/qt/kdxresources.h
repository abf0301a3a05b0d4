#pragma once

// The icon and other resources live in the application library; a program that
// links it calls this once after creating its QApplication.
void InitKdxResources();
