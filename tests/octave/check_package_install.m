function check_package_install (tarball, names)
  % Installs the planestat package from TARBALL into a fresh temporary prefix
  % (touching no package list of the user's), loads it, and checks that every
  % function in NAMES runs from the installed MEX file, has its help text,
  % and passes its own tests.
  root = tempname ();
  mkdir (root);
  cleanup = onCleanup (@() remove_tree (root));
  pkg ("prefix", fullfile (root, "share"), fullfile (root, "lib"));
  pkg ("local_list", fullfile (root, "octave_packages"));
  pkg ("global_list", fullfile (root, "global_packages"));
  pkg ("install", "-local", tarball);
  pkg ("load", "planestat");

  for i = 1:numel (names)
    name = names{i};
    where = which (name);
    assert (strncmp (where, root, numel (root)), "%s comes from %s, not the package", name, where);
    assert (exist (name) == 3, "%s is not a MEX file", name);
    text = evalc (sprintf ("help %s", name));
    assert (! isempty (strfind (text, upper (name))), "help %s prints no help text", name);
    assert (! isempty (strfind (text, "See also")), "help %s lacks See also", name);
    assert (test (name, "quiet"), "test %s fails after pkg install", name);
  end
  printf ("pkg install, help and test pass for %s\n", strjoin (names, ", "));
end

function remove_tree (root)
  pkg ("unload", "planestat");
  confirm_recursive_rmdir (false, "local");
  rmdir (root, "s");
end
