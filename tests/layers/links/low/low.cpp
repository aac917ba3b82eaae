// Compiles (the declaration is in sight) but needs the library above to link.
namespace fixture {
int highValue();
int lowValue() { return highValue() + 1; }
}  // namespace fixture
