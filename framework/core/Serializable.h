#pragma once
// A record that transfers itself through one routine for both directions: the stream's mode
// decides whether each typed transfer writes the field or overwrites it with what it reads.
class DataStream;

class Serializable {
 public:
  virtual ~Serializable() = default;
  virtual void Serialize(DataStream* stream) = 0;
};
