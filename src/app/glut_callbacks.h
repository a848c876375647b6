// Every GLUT callback of the program: the splash-phase ones, which only wait for the key or click
// that ends the splash, and the working ones installed after the one-time start-up.
#pragma once

// Installs the splash-phase callbacks: keyboard, mouse, special, display, reshape, idle.
void installSplashCallbacks();

void onSplashKey(unsigned char key, int x, int y);
void onSplashMouse(int button, int state, int x, int y);
void onSplashSpecialKey(int key, int x, int y);
// A splash frame, or the one-time start-up once a key or click has come.
void firstDisplay();

void onKey(unsigned char key, int x, int y);
void onSpecialKey(int key, int x, int y);
void onSpecialKeyUp(int key, int x, int y);
void onMouseButton(int button, int state, int x, int y);
void onPointerMotion(int x, int y);
void displayFrame();
void reshapeWindow(int width, int height);
void requestRedisplay();
