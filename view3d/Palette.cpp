#include "view3d/Palette.h"

#include "glut/gl.h"

void applyMaterial(const Material& material)
{
    setSpecular(material.specular);
    setShininess(material.shininess);
    setAmbientDiffuse(material.ambientDiffuse);
}

void setAmbientDiffuse(const Rgba& colour)
{
    const GLfloat rgba[4] = {colour.r, colour.g, colour.b, colour.a};
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, rgba);
}

void setSpecular(const Rgba& colour)
{
    const GLfloat rgba[4] = {colour.r, colour.g, colour.b, colour.a};
    glMaterialfv(GL_FRONT, GL_SPECULAR, rgba);
}

void setShininess(float shininess)
{
    glMaterialf(GL_FRONT, GL_SHININESS, shininess);
}

void applyKeyColour(KeyColour colour)
{
    switch (colour) {
    case KeyColour::Base: break;
    case KeyColour::HighlightRed: setAmbientDiffuse(palette::highlightRed); break;
    case KeyColour::HighlightGreen: setAmbientDiffuse(palette::highlightGreen); break;
    case KeyColour::LightRed: setAmbientDiffuse(palette::lightRed); break;
    }
}
