// The program of a layer linked alone: CMake links every object of the layer (whole
// archive) with only the layers below it, so the link itself is the check; a call into a
// higher layer or a platform half leaves an undefined symbol and fails the build.
int main() {
    return 0;
}
