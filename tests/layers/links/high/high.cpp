namespace fixture {
int lowValue();
int highValue() { return 41; }
int bothValues() { return lowValue() + highValue(); }
}  // namespace fixture
