// Base class of every visual element of a production. One object per effect
// class serves as a template that only manufactures instances (getInstance);
// each instance carries its script parameters and its track group and is
// drawn by the track system while its start/stop track marks it active.
// Depends on: ParameterGroup, TrackGroup / TrackInterpolate, FrameBufferObject
// (pointers only; no GL here).
#pragma once

#include <memory>
#include <string>
#include <vector>

class FrameBufferObject;
class ParameterGroup;
class TrackGroup;
class TrackInterpolate;

class Effect {
 public:
  Effect();
  virtual ~Effect();
  Effect(const Effect&) = delete;
  Effect& operator=(const Effect&) = delete;

  virtual void predraw(unsigned time);
  virtual void draw(unsigned time, unsigned frameDelta);
  virtual void postdraw(unsigned time);
  virtual void init();
  virtual void reset();
  virtual void musicEvent();
  // A newly constructed object of the concrete class; the caller owns it.
  virtual Effect* getInstance();
  virtual void registerTracks();

  void setParameters(ParameterGroup* group) { parameters = group; }
  ParameterGroup* getParameters() const { return parameters; }
  void setRenderTarget(FrameBufferObject* target) { renderTarget = target; }
  FrameBufferObject* getRenderTarget() const { return renderTarget; }
  void setTrackGroup(TrackGroup* group) { trackGroup = group; }
  TrackGroup* getTrackGroup() const { return trackGroup; }

  void addTrackName(const std::string& name) { trackNames.push_back(name); }
  int getTrackCount() const { return static_cast<int>(trackNames.size()); }
  // "" when i is out of range.
  std::string getTrackName(int i) const;

  // The interpolation track of that name in the effect's group (null when the
  // group lacks it). Without a group (no track data configured) an empty
  // stand-by track is returned, so the effect reads 0.0 instead of crashing.
  TrackInterpolate* getTrack(const std::string& name);

 protected:
  ParameterGroup* parameters;

 private:
  std::vector<std::string> trackNames;
  FrameBufferObject* renderTarget;
  TrackGroup* trackGroup;
  std::unique_ptr<TrackGroup> standbyTracks;
};
