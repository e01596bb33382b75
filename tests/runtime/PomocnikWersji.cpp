// Carries a version block without the fixed record; the runtime tests read
// its numbers from the "FileVersion" string.
int main()
{
    return 0;
}
