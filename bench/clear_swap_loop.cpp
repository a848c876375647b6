// The floor of the frame rate: a full-screen GLUT window that only clears and swaps, flat out,
// until the q key.
#include <GL/freeglut.h>

#include <cstdlib>

namespace {
void display() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
}

void onKey(unsigned char key, int, int) {
    if (key == 'q') std::exit(0);
}

void idle() {
    glutPostRedisplay();
}
}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(640, 480);
    glutInitWindowPosition(0, 0);
    glutCreateWindow("Rampix clear and swap");
    glutFullScreen();
    glutDisplayFunc(display);
    glutKeyboardFunc(onKey);
    glutIdleFunc(idle);
    glClearColor(0.3f, 0.3f, 1.0f, 1.0f);
    glutMainLoop();
    return 0;
}
