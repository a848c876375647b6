// Everything placed and drawn in the park: a position with velocity, a size, a rectangle, a colour,
// a texture and the render switches that beginDraw applies and endDraw takes back.
//
// Every drawing routine of the program leaves OpenGL in one resting state: blending, alpha test,
// depth test and 2-D texturing off, depth writes on. endDraw returns to that state rather than to
// whatever was set before.
#pragma once

class PrefsRecord;

class SceneObject {
  public:
    SceneObject();
    virtual ~SceneObject() = default;
    virtual void setPosition(float px, float py);
    virtual void integrate(float dt, const PrefsRecord& prefs);
    virtual int overlaps(const SceneObject& other, const PrefsRecord& prefs) const;

    void beginDraw(const PrefsRecord& prefs) const;
    void endDraw(const PrefsRecord& prefs) const;
    void setRGBA(float r, float g, float b, float a);

    int anchor = 0;  // setPosition reads its point as 0 = centre, 1 = lower-left corner
    float x = 0.0f, y = 0.0f;
    float vx = 0.0f, vy = 0.0f;
    float size = 1.0f;
    float width = 1.0f, height = 1.0f;
    float red = 1.0f, green = 1.0f, blue = 1.0f, alpha = 1.0f;
    float left = 0.0f, bottom = 0.0f, right = 0.0f, top = 0.0f;
    int texture = -1;
    int alphaTest = 1;
    int blend = 1;
    int blendSrcIndex = 2;
    int blendDstIndex = 3;
    int depthTest = 1;
    int depthWrite = 1;
    float alphaCutoff = 0.1f;
};

class SceneObject3D : public SceneObject {
  public:
    SceneObject3D();
    void integrate(float dt, const PrefsRecord& prefs) override;
    virtual void setPosition3D(float px, float py, float pz);
    // A quad of 2 x width by 2 x height, facing the viewer when billboard is set.
    virtual void draw(const SceneObject3D& viewer, const PrefsRecord& prefs);
    virtual int overlaps3D(const SceneObject3D& other, const PrefsRecord& prefs) const;

    void moveTo(float px, float py, float pz);

    float z = 0.0f;
    float vz = 0.0f;
    float depth = 1.0f;
    float pitch = 0.0f;
    float heading = 0.0f;
    float nearEdge = 0.0f, farEdge = 0.0f;
    int billboard = 1;
};
