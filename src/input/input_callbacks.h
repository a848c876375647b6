// The GLUT input callbacks: the splash-phase ones that only end the splash, and the working ones
// that run the key commands and record the frame's input.
#pragma once

void onSplashKey(unsigned char key, int x, int y);
void onSplashMouse(int button, int state, int x, int y);
void onSplashSpecialKey(int key, int x, int y);

void onKey(unsigned char key, int x, int y);
void onSpecialKey(int key, int x, int y);
void onSpecialKeyUp(int key, int x, int y);
void onMouseButton(int button, int state, int x, int y);
void onPointerMotion(int x, int y);
