// Every GLUT callback of the program: the splash-phase ones, which wait for the key, click or pad
// button that ends the splash, and the working ones installed after the one-time start-up. Input
// callbacks only queue what happened, with the modifiers GLUT reports there; the frame takes it in.
#pragma once

// Installs the splash-phase callbacks: keyboard, mouse, special, display, reshape, idle, close.
void installSplashCallbacks();

// Keys typed after the one that ends the splash wait in the queue for the park; beyond these few
// they are dropped.
constexpr int kKeysKeptFromSplash = 16;

void onSplashKey(unsigned char key, int x, int y);
void onSplashMouse(int button, int state, int x, int y);
void onSplashSpecialKey(int key, int x, int y);
// A splash frame, or the one-time start-up once a key, click or pad button has come.
void firstDisplay();

// The working input callbacks: each queues one event for the next frame.
void queueKey(unsigned char key, int x, int y);
void queueSpecialKey(int key, int x, int y);
void queueSpecialKeyUp(int key, int x, int y);
void queueMouseButton(int button, int state, int x, int y);
void queuePointerMotion(int x, int y);

// The same input taken in at once, outside a frame, as a driver without GLUT's loop gives it; the
// key's modifiers are those the window system reports now.
void onKey(unsigned char key, int x, int y);
void onSpecialKey(int key, int x, int y);
void onSpecialKeyUp(int key, int x, int y);
void onMouseButton(int button, int state, int x, int y);
void onPointerMotion(int x, int y);

void displayFrame();
void reshapeWindow(int width, int height);
void requestRedisplay();
// The window closed by the window manager: GLUT ends the program next; a ride is finished first.
void onWindowClosed();
