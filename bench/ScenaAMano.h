// The hand-written peer of the scene graph's benchmarks: 1,000 lit, transparent cubes and
// spheres drawn off-screen by a plain OpenGL 1.1 loop over two display lists (the
// transparent objects sorted far to near every frame, as the scene graph does), ending with
// glFinish. bench_scene and bench_solids measure against it in their own runs.
#pragma once
#include <algorithm>
#include <cmath>
#include <vector>

#include "scene/GLContextEGL.h"
#include "scene/GLScene.h"

namespace qx::bench {

inline constexpr int kSide = 512;
inline constexpr int kObjects = 1000;

struct TItem {
  TAffineVector pos;
  TColorVector colour;
  bool sphere;
};

inline std::vector<TItem> Items() {
  std::vector<TItem> items;
  for (int i = 0; i < kObjects; ++i) {
    const int x = i % 10, y = (i / 10) % 10, z = i / 100;
    const float r = float(x) / 9, g = float(y) / 9, b = float(z) / 9;
    items.push_back(
        {{float(x) * 1.6f - 7.2f, float(y) * 1.6f - 7.2f, float(z) * -1.6f}, {r, g, b, 0.5f}, i % 2 == 0});
  }
  return items;
}

// The same picture drawn by hand: two display lists, one material call and one list call
// per object.
struct THandScene {
  TGLEGLContext context;
  GLuint cubeList = 0, sphereList = 0;
  std::vector<TItem> items = Items();
  THandScene() {
    RegisterEGLContextClass();
    context.SetDepthBits(24);
    context.CreateMemoryContext(nullptr, kSide, kSide);
    context.Activate();
    cubeList = glGenLists(2);
    sphereList = cubeList + 1;
    glNewList(cubeList, GL_COMPILE);
    Cube();
    glEndList();
    glNewList(sphereList, GL_COMPILE);
    Sphere(0.5f, 16, 16);
    glEndList();
    context.Deactivate();
  }
  static void Cube() {
    const float h = 0.5f;
    glBegin(GL_QUADS);
    glNormal3f(0, 0, 1);
    glVertex3f(h, h, h), glVertex3f(-h, h, h), glVertex3f(-h, -h, h), glVertex3f(h, -h, h);
    glNormal3f(0, 0, -1);
    glVertex3f(h, h, -h), glVertex3f(h, -h, -h), glVertex3f(-h, -h, -h), glVertex3f(-h, h, -h);
    glNormal3f(-1, 0, 0);
    glVertex3f(-h, h, h), glVertex3f(-h, h, -h), glVertex3f(-h, -h, -h), glVertex3f(-h, -h, h);
    glNormal3f(1, 0, 0);
    glVertex3f(h, h, h), glVertex3f(h, -h, h), glVertex3f(h, -h, -h), glVertex3f(h, h, -h);
    glNormal3f(0, 1, 0);
    glVertex3f(-h, h, -h), glVertex3f(-h, h, h), glVertex3f(h, h, h), glVertex3f(h, h, -h);
    glNormal3f(0, -1, 0);
    glVertex3f(-h, -h, -h), glVertex3f(h, -h, -h), glVertex3f(h, -h, h), glVertex3f(-h, -h, h);
    glEnd();
  }
  static void Sphere(float r, int slices, int stacks) {
    const float pi = 3.14159265f;
    for (int j = 0; j < stacks; ++j) {
      const float p0 = pi / 2 - pi * float(j) / float(stacks),
                  p1 = pi / 2 - pi * float(j + 1) / float(stacks);
      glBegin(GL_TRIANGLE_STRIP);
      for (int i = 0; i <= slices; ++i) {
        const float t = 2 * pi * float(i) / float(slices);
        for (float p : {p0, p1}) {
          const float x = std::cos(p) * std::sin(t), y = std::sin(p), z = std::cos(p) * std::cos(t);
          glNormal3f(x, y, z);
          glVertex3f(r * x, r * y, r * z);
        }
      }
      glEnd();
    }
  }
  void Frame() {
    context.Activate();
    glViewport(0, 0, kSide, kSide);
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glEnable(GL_LIGHTING);
    glEnable(GL_NORMALIZE);
    glEnable(GL_LIGHT0);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const float n = 50.0f * 2 * 96 / (25.4f * kSide);
    glFrustum(-0.5, 0.5, -0.5, 0.5, n, n + 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const GLfloat lightPos[4] = {0, 0, 0, 1};
    glLightfv(GL_LIGHT0, GL_POSITION, lightPos);
    gluLookAt(0, 0, 20, 0, 0, -7, 0, 1, 0);
    std::vector<std::pair<float, const TItem*>> order;
    order.reserve(items.size());
    for (const TItem& it : items) {
      const float dx = it.pos.X, dy = it.pos.Y, dz = it.pos.Z - 20;
      order.push_back({dx * dx + dy * dy + dz * dz, &it});
    }
    std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    for (const auto& [d, it] : order) {
      glPushMatrix();
      glTranslatef(it->pos.X, it->pos.Y, it->pos.Z);
      glMaterialfv(GL_FRONT, GL_DIFFUSE, &it->colour.X);
      glCallList(it->sphere ? sphereList : cubeList);
      glPopMatrix();
    }
    glFinish();
    context.Deactivate();
  }
};

}  // namespace qx::bench
