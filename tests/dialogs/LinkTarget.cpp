// A program that does nothing: what the link tests open through the shell,
// so that a successful open starts nothing that stays.
int main()
{
    return 0;
}
