// A program that does nothing, for the checks of the resources a Windows build gives its programs.
int main() { return 0; }
